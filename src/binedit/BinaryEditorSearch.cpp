// The BinaryEditor's search and comparison: the dialogs start them, one step
// runs on a worker behind a progress dialog when the file is big, and a
// match is shown selected with the cursor on its first nibble.
#include "binedit/BinaryEditorContent.h"
#include "binedit/BinaryMessages.h"
#include "commands/CommandRegistry.h"

namespace zq {

void BinaryEditorContent::RegisterSearchCommands() {}

}  // namespace zq
