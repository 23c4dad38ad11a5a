// The servers a manifest fetch tries: the picked one first, then config.ini's
// others in order, each once.
#include <gtest/gtest.h>

#include "app/mirror_candidates.h"

namespace quonel {
namespace {

TEST(MirrorCandidates, PickedFirstThenTheOthersInOrderEachOnce) {
  const std::vector<UpdateServerEntry> configured =
      ServersOfConfig({L"甲=http://a/q", L"乙=http://B/", L"丙=http://c/x=1", L"no equals sign", L"丁=http://"});
  ASSERT_EQ(4u, configured.size());
  EXPECT_EQ(L"http://c/x=1/", configured[2].address);

  const std::vector<UpdateServerEntry> order = MirrorCandidates(L"http://b", configured);
  ASSERT_EQ(3u, order.size());
  EXPECT_EQ(L"乙", order[0].name);
  EXPECT_EQ(L"http://b/", order[0].address);
  EXPECT_EQ(L"http://a/q/", order[1].address);
  EXPECT_EQ(L"http://c/x=1/", order[2].address);

  // An address typed nowhere in config.ini still comes first, without a name.
  const std::vector<UpdateServerEntry> elsewhere = MirrorCandidates(L"http://z/", configured);
  ASSERT_EQ(4u, elsewhere.size());
  EXPECT_EQ(L"", elsewhere[0].name);
  EXPECT_EQ(L"甲", elsewhere[1].name);
}

}  // namespace
}  // namespace quonel
