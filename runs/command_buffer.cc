#include "runs/command_buffer.h"

#include <cstdio>

namespace mint {

void formatProgress(CommandText &command, double fraction) {
  std::snprintf(command.text, sizeof command.text, "StatusMsg {%f} Creating", fraction);
}

void formatFloatCommand(CommandText &command, const char *head, double value) {
  std::snprintf(command.text, sizeof command.text, "%s%g", head, value);
}

}  // namespace mint
