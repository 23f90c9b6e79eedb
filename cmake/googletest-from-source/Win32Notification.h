// GoogleTest's Notification for the cross-compiler's Win32 thread model, which has no std::mutex
// or std::condition_variable to build GoogleTest's own on: a Win32 event instead. Forced into
// every file that includes GoogleTest, ahead of its headers.
#pragma once

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification();
  ~Notification();
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify();
  void WaitForNotification();

 private:
  void* event_;
};

}  // namespace testing::internal
