// The hidden log memo fed in slices: whatever order of partial and whole
// flushes, it shows the newest entries in order, none missing or doubled,
// and never more than its bound allows.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/wizard_log.h"
#include "ui/application.h"
#include "ui/edit.h"
#include "ui/form.h"

namespace quonel {
namespace {

std::vector<int> Numbers(const std::wstring& text) {
  std::vector<int> numbers;
  std::wistringstream lines(text);
  for (std::wstring line; std::getline(lines, line);)
    if (line.rfind(L"entry ", 0) == 0) numbers.push_back(std::stoi(line.substr(6)));
  return numbers;
}

void ExpectRun(const std::vector<int>& numbers, int first, int last) {
  ASSERT_EQ(static_cast<size_t>(last - first + 1), numbers.size());
  for (size_t i = 0; i < numbers.size(); ++i) ASSERT_EQ(first + static_cast<int>(i), numbers[i]) << "at " << i;
}

TEST(WizardLog, TheMemoShowsTheNewestEntriesInOrderWithoutAHole) {
  TApplication application;
  application.Initialize();
  auto* form = new TForm(&application);
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetBounds(0, 0, 200, 100);
  TWizardLog log(*memo);
  int next = 0;
  auto add = [&](int count) {
    for (int i = 0; i < count; ++i) log.Add(L"entry " + std::to_wstring(next++));
  };
  // More entries than the memo keeps arrive before the first slice: it
  // starts from the oldest kept one, then takes the rest slice by slice.
  add(5000);
  log.FlushSoon();
  ExpectRun(Numbers(memo->Text()), 2000, 2000 + static_cast<int>(TWizardLog::kMemoSlice) - 1);
  log.FlushSoon();
  log.Flush();
  ExpectRun(Numbers(memo->Text()), 2000, 4999);
  // Past its bound by more than a cut, the memo drops its oldest entries.
  add(400);
  log.Flush();
  ExpectRun(Numbers(memo->Text()), 5400 - static_cast<int>(TWizardLog::kMemoEntries), 5399);
  // Entries that overtake the slices while some wait are not shown twice.
  add(150);
  log.FlushSoon();
  add(3500);
  log.FlushSoon();
  const int oldestKept = next - static_cast<int>(TWizardLog::kMemoEntries);
  ExpectRun(Numbers(memo->Text()), oldestKept, oldestKept + static_cast<int>(TWizardLog::kMemoSlice) - 1);
  log.Flush();
  ExpectRun(Numbers(memo->Text()), next - static_cast<int>(TWizardLog::kMemoEntries), next - 1);
  delete form;
}

}  // namespace
}  // namespace quonel
