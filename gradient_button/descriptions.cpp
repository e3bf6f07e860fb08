#include "gradient_button/descriptions.h"

#include <array>
#include <utility>

namespace tavrel {
namespace {

using Line = std::pair<std::wstring_view, std::wstring_view>;

constexpr std::array kDescriptions{
    Line{L"BackColor", L"Returns/sets the background color used to display text and graphics in an object."},
    Line{L"ForeColor", L"Returns/sets the foreground color used to display text and graphics in an object."},
    // Enabled carries the toolkit's own help line.
    Line{L"Enabled", L"Returns/sets a value that determines whether an object can respond to user-generated events."},
    Line{L"Font", L"Returns a Font object."},
    Line{L"Refresh", L"Forces a complete repaint of a object."},
    Line{L"BorderStyle", L"Returns/sets the border style for an object."},
    Line{L"TextAlign", L"Determines Location of Text"},
    Line{L"Behavior", L"Determines how the button acts with user activity."},
    Line{L"Style", L"Determines how the button appears"},
    Line{L"FadetoColor", L"Color that the button will fade to at the bottom."},
    Line{L"Picture", L"Returns/sets a graphic to be displayed in a control."},
    Line{L"HideFocus", L"Hide the dashed focus line when this control has focus."},
    Line{L"Click", L"Occurs when the user presses and then releases a mouse button over an object."},
    Line{L"DblClick", L"Occurs when the user presses and releases a mouse button and then presses and releases it again over an object."},
    Line{L"KeyDown", L"Occurs when the user presses a key while an object has the focus."},
    Line{L"KeyPress", L"Occurs when the user presses and releases an ANSI key."},
    Line{L"KeyUp", L"Occurs when the user releases a key while an object has the focus."},
    Line{L"MouseDown", L"Occurs when the user presses the mouse button while an object has the focus."},
    Line{L"MouseMove", L"Occurs when the user moves the mouse."},
    Line{L"MouseUp", L"Occurs when the user releases the mouse button while an object has the focus."},
};

}  // namespace

std::wstring_view BrixButtonDescription(std::wstring_view member) {
  for (const auto& [name, text] : kDescriptions) {
    if (name == member) return text;
  }
  return {};
}

}  // namespace tavrel
