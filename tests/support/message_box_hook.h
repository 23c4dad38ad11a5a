// Answers the message boxes that code under test shows on this thread: a
// window hook sees each box once it is set up, records its caption, text and
// owner, and presses the button the test chose. The box itself is the
// platform's real one.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quonel::testing {

struct SeenMessageBox {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
  HWND owner = nullptr;
};

class MessageBoxAnswerer {
 public:
  // When a box is seen: once it is set up, or once it is shown and active
  // (then whatever takes windows over on activation has done so).
  enum class Moment { Created, Active };
  // Presses `button` (IDOK, IDYES, IDNO ...) on every box unless answers are queued.
  explicit MessageBoxAnswerer(int button = IDOK, Moment moment = Moment::Created);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // Answers for the next boxes, in order; then the default button again.
  void QueueAnswers(std::initializer_list<int> buttons);
  const std::vector<SeenMessageBox>& Boxes() const { return boxes_; }
  // Called for each box before it is answered.
  std::function<void(const SeenMessageBox&)> OnBox;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void Answer(HWND box);

  HHOOK hook_ = nullptr;
  int defaultButton_;
  Moment moment_;
  HWND lastAnswered_ = nullptr;
  std::deque<int> queued_;
  std::vector<SeenMessageBox> boxes_;
};

}  // namespace quonel::testing
