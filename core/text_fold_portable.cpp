// The native build's fold: the one its caseless text order uses.

#include "core/code_points.hpp"
#include "core/key_fold.hpp"

namespace qv {

std::string foldText(std::string_view text) { return foldCodePoints(text); }

} // namespace qv
