// The screen as text: a frame around the rows (and the status line), the
// cursor, and with `attributes` one line of attribute codes under each row
// and a legend of the attribute-table entries used. Cells below 32 and from
// 127 up show as "." unless `highBytes` keeps bytes 128 to 255 as stored
// (code page 437 on the consoles' fonts), for comparing with a reference.
#pragma once

#include <string>

#include "attribute_table.h"
#include "screen_model.h"

namespace korvane {

std::string DumpScreen(const ScreenModel& screen, const AttributeTable& attributes, bool withAttributes,
                       bool highBytes = false);
// "BOLD UNDERLINE CHARSET 2", or "plain".
std::string DescribeWord(uint32_t word);

}  // namespace korvane
