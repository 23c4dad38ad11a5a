// The log file's text: time stamps on every line, and what stays of earlier
// runs when a new one begins.
#include <gtest/gtest.h>

#include "app/run_log_text.h"

namespace quonel {
namespace {

TEST(RunLogText, EveryLineOfAnEntryGetsItsTimeAndEmptyLinesGo) {
  EXPECT_EQ("12:00:01.002 连接远程文件：http://a/b\r\n", RunLogLines("12:00:01.002", "连接远程文件：http://a/b\r\n"));
  EXPECT_EQ("t one\r\nt two\r\nt three\r\n", RunLogLines("t", "one\r\n\r\ntwo\nthree"));
  EXPECT_EQ("", RunLogLines("t", "\r\n"));
}

TEST(RunLogText, ANewBlockKeepsTheLastWholeBlocksThatFitTheLimits) {
  const std::string a = "==== 1 start ====\r\nt a\r\n", b = "==== 2 run ====\r\nt b\r\nt bb\r\n",
                    c = "==== 3 run ====\r\nt c\r\n";
  const std::string log = "left by hand\r\n" + a + b + c;
  EXPECT_EQ(a + b + c, KeptRunLogTail(log, {.keptBlocks = 5}));
  EXPECT_EQ(b + c, KeptRunLogTail(log, {.keptBlocks = 3}));
  EXPECT_EQ(c, KeptRunLogTail(log, {.keptBlocks = 5, .keptBytes = (b + c).size() - 1}));
  EXPECT_EQ("", KeptRunLogTail(log, {.keptBlocks = 1}));
  // A block cut off by a crash still counts as one.
  EXPECT_EQ(c + "==== 4 run ====\r\nt cut", KeptRunLogTail(log + "==== 4 run ====\r\nt cut", {.keptBlocks = 3}));
  // A header mark inside a line is no header.
  EXPECT_EQ(c, KeptRunLogTail(c, {.keptBlocks = 2}));
  EXPECT_EQ("", KeptRunLogTail("t x ==== y\r\n", {.keptBlocks = 2}));
}

}  // namespace
}  // namespace quonel
