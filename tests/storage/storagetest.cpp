#include "storagetest.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace kesto::test {

namespace {
constexpr int CannotDropRights = 77;
constexpr uid_t Nobody = 65534;
} // namespace

bool RunWithoutReadRights(const std::function<void()> &checks)
{
    if (geteuid() != 0) {
        checks();
        return true;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (setgid(Nobody) != 0 || setuid(Nobody) != 0)
            _exit(CannotDropRights);
        checks();
        std::fflush(stdout);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return false;
    if (WEXITSTATUS(status) == CannotDropRights)
        return false;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the checks failed in the child process";
    return true;
}

} // namespace kesto::test
