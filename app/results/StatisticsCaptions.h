#pragma once

#include <string_view>

namespace results {

// The captions and value types of the rows one run leaves in the pupil's
// worksheet, in the order they are written: the start row when the first
// screen of the exercise opens, then, once no screen is left, the two closing
// rows followed by an empty row that separates this run from the next.
inline constexpr std::u16string_view kStartTimeCaption = u"Время начала работы с упражнением";
inline constexpr std::u16string_view kExtraInstructionCallsCaption =
    u"Количество дополнительных вызовов инструкций";
inline constexpr std::u16string_view kTotalSecondsCaption = u"Общее время работы с упражнением. с.";

// The start time is text (a spreadsheet would otherwise turn it into a date
// of its own format); the two counts are numbers.
inline constexpr std::u16string_view kStringType = u"String";
inline constexpr std::u16string_view kNumberType = u"Number";

}  // namespace results
