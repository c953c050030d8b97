#pragma once

#include <string_view>

namespace lumivar::web {

// What the page shows where a browser does not let 退出系统 close its tab.
inline constexpr std::u16string_view kEndedText = u"Lumivar 已退出";
inline constexpr std::u16string_view kRestartText = u"重新开始";

}  // namespace lumivar::web
