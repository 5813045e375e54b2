#include "standin/memory_host.h"

#include <gtest/gtest.h>

#include "fixtures.h"

namespace varnel::standin {
namespace {

using tests::design;
using tests::failureOf;

TEST(MemoryHost, ListsComponentsInFileOrderThroughEveryList) {
  MemoryHost host(design("R2 C1 R1"));
  auto doc = host.ActiveDocument();
  auto scope = doc->CurrentScope();
  for (auto list : {doc->Components(), scope->Components(), scope->FindObjects(1, "", 0)}) {
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->Item(1)->Name(), "R2");
    EXPECT_EQ(list->Item(3)->Name(), "R1");
    EXPECT_EQ(list->Item("C1")->Name(), "C1");
    EXPECT_TRUE(list->Item("C9").empty());
  }
  EXPECT_EQ(doc->Name(), "test.sch");
  EXPECT_EQ(doc->Scopes()->Count(), 1);
}

TEST(MemoryHost, RenamesAreSeenAtOnceAndKeepListOrder) {
  MemoryHost host(design("R2 C1 R1"));
  auto list = host.ActiveDocument()->Components();
  list->Item("R1")->setName("R7");
  EXPECT_TRUE(list->Item("R1").empty());
  EXPECT_EQ(list->Item(3)->Name(), "R7");
  EXPECT_EQ(list->Item("R7")->Name(), "R7");
  list->Item(1)->setName("R1");  // a name freed by an earlier rename
  EXPECT_EQ(tests::designators(host.design()), (std::vector<std::string>{"R1", "C1", "R7"}));
  ASSERT_EQ(host.renames().size(), 2u);
  EXPECT_EQ(host.renames()[1].position, 1);
  EXPECT_EQ(host.renames()[1].from, "R2");
}

TEST(MemoryHost, RefusesDuplicateEmptyAndBlankDesignators) {
  MemoryHost host(design("R1 R2"));
  auto part = host.ActiveDocument()->Components()->Item(1);
  EXPECT_EQ(failureOf([&] { part->setName("R2"); }), base::errors::kDesignatorInUse);
  for (const char* bad : {"", "R 3", "R\t3", "R\n3", "R\x7f"})
    EXPECT_EQ(failureOf([&] { part->setName(bad); }), base::errors::kIllegalDesignator) << bad;
  EXPECT_NO_THROW(part->setName("R1"));  // its own name
  EXPECT_EQ(tests::designators(host.design()), (std::vector<std::string>{"R1", "R2"}));
  EXPECT_TRUE(host.renames().empty());
}

TEST(MemoryHost, ReportsNoDesignAndEmptyDesignWith0x80040202) {
  MemoryHost none;
  EXPECT_EQ(failureOf([&] { none.ActiveDocument(); }), base::errors::kNoDesign);
  MemoryHost empty(design(""));
  auto list = empty.ActiveDocument()->Components();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(failureOf([&] { list->Item(1); }), base::errors::kNoDesign);
  MemoryHost two(design("R1"));
  EXPECT_EQ(failureOf([&] { two.ActiveDocument()->Components()->Item(2); }), kBadIndex);
}

TEST(MemoryHost, CountsEveryCallByOperation) {
  MemoryHost host(design("R1 R2"));
  auto list = host.ActiveDocument()->Components();
  list->Item(2)->Name();
  EXPECT_EQ(host.totalCalls(), 4);
  EXPECT_EQ(host.callsByOperation().at("Components.Item"), 1);
  EXPECT_EQ(host.callsByOperation().at("Component.Name"), 1);
  host.resetCounts();
  EXPECT_EQ(host.totalCalls(), 0);
}

TEST(MemoryHost, FailsTheNthCallOnceOrForGood) {
  MemoryHost host(design("R1 R2"));
  auto list = host.ActiveDocument()->Components();
  host.failCall(2, base::Error(0x800706BA, "The RPC server is unavailable"));
  EXPECT_NO_THROW(list->Count());
  EXPECT_EQ(failureOf([&] { list->Item(1)->setName("R5"); }), 0x800706BA);
  EXPECT_NO_THROW(list->Count());
  EXPECT_EQ(host.design().parts[0].designator, "R1");

  host.failCall(1, base::Error(0x800706BA, "gone"), /*persistent=*/true);
  EXPECT_THROW(list->Count(), base::Error);
  EXPECT_THROW(list->Count(), base::Error);
  host.clearFault();
  EXPECT_NO_THROW(list->Count());
}

TEST(MemoryHost, OpeningADesignRaisesOpenDocumentUntilUnsubscribed) {
  MemoryHost host;
  int opened = 0;
  {
    auto subscription = host.onOpenDocument([&] { ++opened; });
    host.open(design("R1"));
    EXPECT_EQ(opened, 1);
  }
  host.open(design("R2"));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(host.ActiveDocument()->Components()->Item(1)->Name(), "R2");
}

}  // namespace
}  // namespace varnel::standin
