#pragma once

#include <array>
#include <string_view>
#include <utility>

// The main window's fixed layout, shared by every front end: each control's kind, name, place,
// size and starting caption, in the order the controls are created; and the Tab cycle.
namespace korimbo {

enum class ControlKind { EditBox, Button, Label, LinkBox };

struct ControlLayout
{
    ControlKind kind;
    std::string_view name;        // also the Qt object name
    int left, top, width, height; // pixels, relative to the client area
    std::string_view caption;     // UTF-8; empty for boxes
};

inline constexpr std::string_view kWindowTitle = "Korimbo";
// The outer frame's size where the desktop draws a frame, and the client area's size where it
// draws none.
inline constexpr int kFrameWidth = 381;
inline constexpr int kFrameHeight = 267;
inline constexpr int kClientWidth = 375;
inline constexpr int kClientHeight = 238;

// Creation order: the edit boxes, the button, the labels, the link boxes.
inline constexpr std::array<ControlLayout, 16> kControls{{
    {ControlKind::EditBox, "编辑框1", 80, 32, 224, 24, ""},
    {ControlKind::EditBox, "编辑框2", 80, 72, 224, 24, ""},
    {ControlKind::EditBox, "编辑框3", 80, 104, 224, 24, ""},
    {ControlKind::EditBox, "编辑框4", 80, 136, 224, 24, ""},
    {ControlKind::EditBox, "编辑框5", 80, 168, 224, 24, ""},
    {ControlKind::Button, "按钮1", 312, 32, 56, 24, "转换"},
    {ControlKind::Label, "标签1", 16, 32, 56, 24, "原始地址:"},
    {ControlKind::Label, "标签2", 16, 72, 56, 24, "真实地址:"},
    {ControlKind::Label, "标签3", 16, 104, 56, 24, "迅雷地址:"},
    {ControlKind::Label, "标签4", 16, 136, 56, 24, "快车地址:"},
    {ControlKind::Label, "标签5", 16, 168, 56, 24, "旋风地址:"},
    {ControlKind::LinkBox, "简单超文本框1", 312, 80, 56, 16, ""},
    {ControlKind::LinkBox, "简单超文本框2", 312, 112, 56, 16, ""},
    {ControlKind::LinkBox, "简单超文本框3", 312, 144, 56, 16, ""},
    {ControlKind::LinkBox, "简单超文本框4", 312, 176, 56, 16, ""},
    {ControlKind::LinkBox, "简单超文本框5", 280, 208, 80, 16, ""},
}};

// The Tab cycle; Shift+Tab walks it backwards. Both wrap around. Labels are never in it.
inline constexpr std::array<std::string_view, 11> kTabCycle{
    "编辑框1",       "编辑框2",       "编辑框3",       "编辑框4",       "编辑框5",       "按钮1",
    "简单超文本框1", "简单超文本框2", "简单超文本框3", "简单超文本框4", "简单超文本框5",
};

// Each edit box and the label beside it, which names it for assistive technology.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kEditBoxLabels{{
    {"编辑框1", "标签1"},
    {"编辑框2", "标签2"},
    {"编辑框3", "标签3"},
    {"编辑框4", "标签4"},
    {"编辑框5", "标签5"},
}};

// The caption of the control named `name` (UTF-8); empty for boxes.
constexpr std::string_view CaptionOf(std::string_view name)
{
    for (const ControlLayout &control : kControls)
        if (control.name == name)
            return control.caption;
    return {};
}

// The name that assistive technology gives the edit box `editBox`: its label's caption without the
// colon ("原始地址" for 编辑框1).
constexpr std::string_view AccessibleEditBoxName(std::string_view editBox)
{
    for (const auto &[box, label] : kEditBoxLabels)
        if (box == editBox) {
            const std::string_view caption = CaptionOf(label);
            return caption.ends_with(':') ? caption.substr(0, caption.size() - 1) : caption;
        }
    return {};
}

} // namespace korimbo
