// The window base under Wine: every message from WM_NCCREATE on reaches the
// object, nothing thrown leaves the procedure, and a window destroyed by
// others is forgotten.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "win32/base/window.h"

namespace varnel {
namespace {

constexpr UINT kThrow = WM_APP + 7;

class Probe final : public win::Window {
 public:
  explicit Probe(HWND parent = nullptr) {
    const DWORD style = parent ? WS_CHILD : WS_OVERLAPPED;
    create({L"VarnelTestProbe", L"probe", style, 0, {0, 0, 50, 50}, parent, parent ? 5 : 0});
  }
  std::vector<UINT> seen;
  HWND handleAtCreate = nullptr;

 private:
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    if (message == WM_CREATE) handleAtCreate = handle();
    if (message == kThrow) throw std::runtime_error("thrown inside a window procedure");
    return Window::onMessage(window, message, wParam, lParam);
  }
};

bool saw(const Probe& probe, UINT message) {
  return std::find(probe.seen.begin(), probe.seen.end(), message) != probe.seen.end();
}

TEST(WindowBase, TheObjectHearsEveryMessageFromItsCreationOnAndKnowsItsHandleThen) {
  Probe probe;
  ASSERT_NE(probe.handle(), nullptr);
  ASSERT_FALSE(probe.seen.empty());
  EXPECT_EQ(probe.seen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_TRUE(saw(probe, WM_CREATE));
  EXPECT_EQ(probe.handleAtCreate, probe.handle());
}

TEST(WindowBase, WhatTheObjectThrowsStopsAtTheProcedure) {
  Probe probe;
  EXPECT_EQ(SendMessageW(probe.handle(), kThrow, 0, 0), 0);
  EXPECT_TRUE(IsWindow(probe.handle()));
}

TEST(WindowBase, AWindowDestroyedByOthersIsForgottenAndItsObjectHearsOfIt) {
  Probe parent;
  Probe child(parent.handle());
  const HWND childWindow = child.handle();
  ASSERT_EQ(GetParent(childWindow), parent.handle());
  DestroyWindow(parent.handle());  // as Windows does when its owner goes
  EXPECT_EQ(parent.handle(), nullptr);
  EXPECT_EQ(child.handle(), nullptr) << "a child goes with its parent";
  EXPECT_TRUE(saw(child, WM_DESTROY));
  EXPECT_FALSE(IsWindow(childWindow));
}

TEST(WindowBase, DestroyTellsTheObjectAndTheDestructorDoesNot) {
  Probe told;
  told.destroy();
  EXPECT_TRUE(saw(told, WM_DESTROY));
  EXPECT_EQ(told.handle(), nullptr);
  HWND window = nullptr;
  {
    Probe untold;
    window = untold.handle();
  }
  EXPECT_FALSE(IsWindow(window)) << "the destructor destroyed it without reaching the object";
}

}  // namespace
}  // namespace varnel
