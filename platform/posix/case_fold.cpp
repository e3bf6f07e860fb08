// Without the system at hand, the registry's upcase comes from the committed copy of its table.
#include "platform/fold_table.h"
#include "platform/text.h"

namespace tavrel {

wchar_t FoldCase(wchar_t c) noexcept { return UpcaseFromTable(c); }

}  // namespace tavrel
