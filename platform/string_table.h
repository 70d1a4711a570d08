// The program's string table: texts of the scheme compiler (4096-4136),
// command descriptions (4146-4190), editor messages (4196-4209), regular
// expressions (4246-4262) and the editor options dialog (4296-4369), looked up
// by number.
#pragma once

#include <string>

namespace tarnwick {

// The text with resource number `id`; the empty text for a number the table
// does not hold.
std::string LoadStr(int id);

}  // namespace tarnwick
