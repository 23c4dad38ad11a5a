// The base of every exception the program raises: a class name for the
// error boxes and a message text, formatted before raising.
#pragma once
#include <exception>
#include <string>

namespace quonel {

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message) : message_(std::move(message)) {}
  const std::wstring& Message() const { return message_; }
  // The class name shown by the error boxes ("Exception EConvertError in ...").
  virtual const wchar_t* ClassName() const { return L"Exception"; }
  const char* what() const noexcept override { return "quonel::Exception"; }

 private:
  std::wstring message_;
};

// Declares an exception class deriving from Base with its own class name.
#define QUONEL_DECLARE_EXCEPTION(Name, Base)                            \
  class Name : public Base {                                            \
   public:                                                              \
    using Base::Base;                                                   \
    const wchar_t* ClassName() const override { return L## #Name; }     \
  }

}  // namespace quonel
