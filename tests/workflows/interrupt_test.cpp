#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "bitmap_samples.h"
#include "interrupt_cleanup.h"
#include "workflow_fixture.h"

namespace lumivane::test {
namespace {

class InterruptTest : public WorkflowTest {};

// A large batch, interrupted at many different moments: every signal ends
// the program with 128 + its number, and no temporary file is ever left.
TEST_F(InterruptTest, RemovesTheTemporaryFileAndExitsWith128PlusTheSignal) {
  constexpr int kFiles = 4000;
  constexpr int kRounds = 20;
  for (int i = 0; i < kFiles; ++i) {
    folder.Write("drop/" + std::to_string(i) + ".xbm", kRunsBitmap);
  }
  platform.CancelUnscriptedDialogs();
  const DropData drop = DropOf({"drop"});
  const int signals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ};

  for (int round = 0; round < kRounds; ++round) {
    // The child says when its handlers are in place: on a busy machine it
    // may not have run at all by the time the signal is sent.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RemoveTemporaryOnInterrupt();
      if (::write(ready[1], "r", 1) != 1) std::_Exit(98);
      for (;;) {
        if (workflows.Text1_OLEDragDrop(drop).kind != ActionOutcome::Kind::kDone) std::_Exit(99);
      }
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    // Sooner and later, so that the signals meet the batch at every step.
    ::usleep(static_cast<useconds_t>(20000 + 7000 * round));
    const int signal = signals[round % 4];
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "round " << round << ": ended by signal "
                                   << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal) << "round " << round;
  }
  EXPECT_TRUE(NoTemporaryFiles());
}

// Started under nohup, the program goes on ignoring SIGHUP.
TEST_F(InterruptTest, ASignalIgnoredAtStartStaysIgnored) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGHUP, SIG_IGN);
    RemoveTemporaryOnInterrupt();
    ::raise(SIGHUP);
    std::_Exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace lumivane::test
