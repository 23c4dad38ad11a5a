// The stored layout of a form: a readable text, compiled into the program as
// a resource, that names every component in stored order with its class and
// properties. Example:
//
//   # comment to the end of the line
//   Form_Update : TForm_Update {
//     Caption = "Quonel加速器升级程序"          string (UTF-8, \" \\ \r \n \t \uXXXX)
//     ClientWidth = 418                        integer (decimal, 0x hex, negative)
//     Color = clBtnFace                        identifier
//     BorderIcons = [biSystemMenu, biMinimize] set
//     Skin3rd = ("TPngBitBtn=pngbitbtn", ...)  list of strings and numbers
//     SkinStream = resource SKIN_ARCHIVE       bytes of a resource of the program
//     ControlData = bytes "67 55 66 55"        bytes written out in hexadecimal,
//                   "10 07 00 00"             in as many quoted pieces as lines
//     btn_pre : TButton { Left = 16 }          a child, owned by the form
//     : TListColumn { Caption = "文件名" }      a child without a name
//   }
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/exception.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EParserError, Exception);

struct StoredValue {
  enum class Kind { Integer, Identifier, String, Set, List, Bytes, Resource };
  Kind kind = Kind::Integer;
  int64_t integer = 0;
  std::wstring text;                // identifier, string, or resource name
  std::vector<std::wstring> items;  // set members, or list entries as text
  std::string bytes;
};

struct StoredProperty {
  std::wstring name;  // may be dotted: "Font.Height"
  StoredValue value;
  int line = 0;
};

struct StoredObject {
  std::wstring name;
  std::wstring className;
  std::vector<StoredProperty> properties;
  std::vector<StoredObject> children;
  int line = 0;
};

// Parses one root object; a malformed text raises EParserError naming the line.
StoredObject ParseStoredLayout(std::string_view utf8);

}  // namespace quonel
