#pragma once
// Ending Windows (power-off or reboot) from the quit dialog.  A seam: when the
// environment variable ZQ_SIMULATE_WINDOWS_END names a file, the request is
// written there instead, so tests never end the session of the machine.
namespace zq {

bool EndWindowsSession(bool reboot);

}  // namespace zq
