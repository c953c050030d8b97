#pragma once

#include <string_view>

namespace lumivar::web {

// What the page shows where a browser does not let 退出系统 close its tab.
inline constexpr std::u16string_view kEndedText = u"Lumivar 已退出";
inline constexpr std::u16string_view kRestartText = u"重新开始";

// The notice under the window where the program cannot run: what this is,
// why it does not run here (no script, or a browser too old for it), and
// what to do. {site} stands for the link to the hosted page, where there is
// one.
inline constexpr std::u16string_view kNoticeWhat =
    u"这是 Lumivar 直选条件预测：输入上期三位数，得出胆码和杀号。";
inline constexpr std::u16string_view kNoticeNoScript = u"这个查看器不能运行它。";
inline constexpr std::u16string_view kNoticeTooOld = u"这个浏览器版本太旧，不能运行它。";
inline constexpr std::u16string_view kNoticeComputer =
    u"电脑或安卓手机：用其他应用打开 → 选浏览器。";
inline constexpr std::u16string_view kNoticeIphone =
    u"iPhone：请用网页版，在 Safari 中打开后添加到主屏幕。";
inline constexpr std::u16string_view kNoticeIphoneAt =
    u"iPhone：请在 Safari 中打开网页版 {site}，再添加到主屏幕。";

}  // namespace lumivar::web
