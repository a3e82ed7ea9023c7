#include "tools/validation_runner.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <sstream>

#include "tools/leak_check.h"

namespace sim {
namespace {

// One report a line: "F text" for a failure, "C count" for the number of
// failures, "N name value" for a figure. Newlines inside texts become spaces.
std::string flatten(std::string text) {
  for (char &c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

void writeAll(int fd, const std::string &text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written <= 0) return;
    done += static_cast<size_t>(written);
  }
}

[[noreturn]] void runChild(const Check &check, const CheckContext &base, int fd) {
  CheckContext context = base;
  try {
    check.run(context);
    if (const std::optional<std::string> leak = leakReport()) context.fail(*leak);
  } catch (const std::exception &error) {
    context.fail(std::string("an exception escaped: ") + error.what());
  } catch (...) {
    context.fail("an exception of unknown type escaped");
  }
  std::string report;
  for (const std::string &failure : context.failures()) report += "F " + flatten(failure) + "\n";
  report += "C " + std::to_string(context.failureCount()) + "\n";
  for (const auto &[name, value] : context.figures())
    report += "N " + name + " " + std::to_string(value) + "\n";
  writeAll(fd, report);
  close(fd);
  std::fflush(nullptr);
  _exit(0);
}

void parseReport(const std::string &report, CheckOutcome &outcome) {
  std::istringstream lines(report);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.size() < 2) continue;
    const std::string rest = line.substr(2);
    if (line[0] == 'F') {
      outcome.failures.push_back(rest);
    } else if (line[0] == 'C') {
      outcome.failureCount = std::stoul(rest);
    } else if (line[0] == 'N') {
      const size_t space = rest.rfind(' ');
      if (space != std::string::npos) {
        outcome.figures.emplace_back(rest.substr(0, space), std::stoull(rest.substr(space + 1)));
      }
    }
  }
}

std::string describeExit(int status) {
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    return std::string("crashed: signal ") + std::to_string(signal) + " (" + strsignal(signal) + ")";
  }
  return "the check's process ended with status " + std::to_string(WEXITSTATUS(status)) + " before reporting";
}

}  // namespace

const char *checkStatusName(CheckStatus status) {
  switch (status) {
    case CheckStatus::kPassed:
      return "pass";
    case CheckStatus::kFailed:
      return "FAIL";
    case CheckStatus::kCrashed:
      return "CRASH";
    case CheckStatus::kTimedOut:
      return "HANG";
  }
  return "?";
}

CheckOutcome runIsolated(const Check &check, const CheckContext &context, double timeoutSeconds) {
  using Clock = std::chrono::steady_clock;
  CheckOutcome outcome;
  outcome.check = &check;
  const Clock::time_point start = Clock::now();
  int pipeFds[2];
  if (pipe(pipeFds) != 0) {
    outcome.status = CheckStatus::kCrashed;
    outcome.failures.push_back(std::string("cannot make a pipe: ") + std::strerror(errno));
    outcome.failureCount = 1;
    return outcome;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    runChild(check, context, pipeFds[1]);
  }
  close(pipeFds[1]);
  if (child < 0) {
    close(pipeFds[0]);
    outcome.status = CheckStatus::kCrashed;
    outcome.failures.push_back(std::string("cannot start the check's process: ") + std::strerror(errno));
    outcome.failureCount = 1;
    return outcome;
  }

  // The watchdog: read the report until the child closes the pipe or the time is up.
  const Clock::time_point deadline =
      start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
  std::string report;
  bool timedOut = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      timedOut = true;
      break;
    }
    pollfd poller{pipeFds[0], POLLIN, 0};
    const int ready = poll(&poller, 1, static_cast<int>(std::min<long long>(left, 1000)));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    report.append(buffer, static_cast<size_t>(got));
  }
  close(pipeFds[0]);
  if (timedOut) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  parseReport(report, outcome);
  if (timedOut) {
    outcome.status = CheckStatus::kTimedOut;
    char text[96];
    std::snprintf(text, sizeof text, "still running after %g s: the module hangs", timeoutSeconds);
    outcome.failures.insert(outcome.failures.begin(), text);
    ++outcome.failureCount;
  } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
             (report.rfind("C ", 0) != 0 && report.find("\nC ") == std::string::npos)) {
    outcome.status = CheckStatus::kCrashed;
    outcome.failures.insert(outcome.failures.begin(), describeExit(status));
    ++outcome.failureCount;
  } else if (outcome.failureCount > 0) {
    outcome.status = CheckStatus::kFailed;
  }
  return outcome;
}

}  // namespace sim
