#include "MessageBoxDialog.h"

#include <algorithm>
#include <cmath>

#include "Bevel.h"
#include "Language.h"
#include "TextEngine.h"

namespace wispen {

namespace {

// The game's proportional Gothic face ("ＭＳ Ｐゴシック"), which holds the Latin and the Japanese letters.
constexpr const char* kTextFace =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kTextGap = 12;
constexpr int kMaxTextWidth = 480;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr TColor kShadow = clGray;
constexpr TColor kDarkShadow = 0x404040;

size_t CharLength(unsigned char lead) {
  return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// Breaks one paragraph into lines no wider than `width`: after a blank where there is one, else between
// letters (Japanese has no blanks between words).
std::vector<std::string> Wrap(TextEngine& engine, const TFont& font, const std::string& paragraph,
                              int width) {
  std::vector<std::string> lines;
  std::string line;
  size_t lastBlank = std::string::npos;
  for (size_t i = 0; i < paragraph.size();) {
    const size_t n = std::min(CharLength(static_cast<unsigned char>(paragraph[i])), paragraph.size() - i);
    const std::string next = line + paragraph.substr(i, n);
    if (!line.empty() && engine.Measure(font, next).cx > width) {
      if (lastBlank != std::string::npos) {
        lines.push_back(line.substr(0, lastBlank));
        line = line.substr(lastBlank + 1);
      } else {
        lines.push_back(line);
        line.clear();
      }
      lastBlank = std::string::npos;
      continue;
    }
    if (paragraph[i] == ' ') lastBlank = line.size();
    line = next;
    i += n;
  }
  lines.push_back(line);
  return lines;
}

// The error icon: a red disc with a white cross.
void ErrorIcon(TCanvas& c, int x, int y) {
  std::vector<TPoint> disc;
  const double cx = x + kIconSize / 2.0, cy = y + kIconSize / 2.0, r = kIconSize / 2.0 - 1;
  for (int i = 0; i < 48; ++i) {
    const double a = i * 2 * 3.14159265358979 / 48;
    disc.push_back({static_cast<int>(std::lround(cx + r * std::cos(a))),
                    static_cast<int>(std::lround(cy + r * std::sin(a)))});
  }
  c.BrushColor = RGB(204, 0, 0);
  c.PenColor = RGB(128, 0, 0);
  c.Polygon(disc);
  c.BrushColor = clWhite;
  c.PenColor = clWhite;
  const int a = 9, b = kIconSize - 9, w = 2;
  c.Polygon({{x + a - w, y + a}, {x + a, y + a - w}, {x + b + w, y + b}, {x + b, y + b + w}});
  c.Polygon({{x + b, y + a - w}, {x + b + w, y + a}, {x + a, y + b + w}, {x + a - w, y + b}});
}

}  // namespace

TFont MessageBoxDialog::TextFont() {
  TFont font;
  font.Name = kTextFace;
  font.Size = 9;
  font.Color = clBlack;
  return font;
}

MessageBoxDialog::MessageBoxDialog(TextEngine& engine, uint16_t languageId, std::string caption,
                                   const std::string& text, MessageIcon icon, Buttons buttons)
    : caption_(std::move(caption)), icon_(icon) {
  const TFont font = TextFont();
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    for (std::string& line : Wrap(engine, font, text.substr(start, end - start), kMaxTextWidth))
      lines_.push_back(std::move(line));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  lineHeight_ = std::max(1, engine.Measure(font, "Ag").cy);
  int textWidth = 0;
  for (const std::string& line : lines_) textWidth = std::max(textWidth, engine.Measure(font, line).cx);
  const int textHeight = lineHeight_ * static_cast<int>(lines_.size());
  const bool withIcon = icon_ == MessageIcon::Error;
  const int textLeft = withIcon ? kMargin + kIconSize + kTextGap : kMargin;
  const int bodyHeight = std::max(textHeight, withIcon ? kIconSize : 0);
  textOrigin_ = {textLeft, kMargin + (bodyHeight - textHeight) / 2};

  const bool japanese = IsJapanese(languageId);
  if (buttons == Buttons::Ok) {
    buttons_.push_back({{}, "OK", Answer::Ok});
  } else {
    buttons_.push_back({{}, japanese ? "\xE3\x81\xAF\xE3\x81\x84(Y)" : "Yes", Answer::Yes});  // はい
    buttons_.push_back(
        {{}, japanese ? "\xE3\x81\x84\xE3\x81\x84\xE3\x81\x88(N)" : "No", Answer::No});  // いいえ
  }
  const int count = static_cast<int>(buttons_.size());
  const int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  size_.cx = std::max({textLeft + textWidth + kMargin, rowWidth + 2 * kMargin, 160});
  const int buttonTop = kMargin + bodyHeight + 16;
  int x = (size_.cx - rowWidth) / 2;
  for (Button& b : buttons_) {
    b.rect = {x, buttonTop, x + kButtonWidth, buttonTop + kButtonHeight};
    x += kButtonWidth + kButtonGap;
  }
  size_.cy = buttonTop + kButtonHeight + kMargin;
}

void MessageBoxDialog::Paint(TCanvas& c) {
  c.BrushColor = clSilver;
  c.FillRect(TRect{0, 0, size_.cx, size_.cy});
  if (icon_ == MessageIcon::Error) ErrorIcon(c, kMargin, kMargin);
  c.Font = TextFont();
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (!lines_[i].empty())
      c.TextOut(textOrigin_.X, textOrigin_.Y + static_cast<int>(i) * lineHeight_, lines_[i]);
  }
  for (const Button& b : buttons_) {
    const bool down = pressed_ == &b;
    c.BrushColor = clSilver;
    c.FillRect(b.rect);
    // The first button is the default one, with the dark frame Windows gives it.
    if (&b == &buttons_.front()) Bevel(c, b.rect, clBlack, clBlack);
    const TRect inner = &b == &buttons_.front()
                            ? TRect{b.rect.Left + 1, b.rect.Top + 1, b.rect.Right - 1, b.rect.Bottom - 1}
                            : b.rect;
    Bevel(c, inner, down ? kShadow : clWhite, down ? clWhite : kDarkShadow);
    const TSize label = c.TextExtent(b.label);
    const int shift = down ? 1 : 0;
    c.TextOut(b.rect.Left + (kButtonWidth - label.cx) / 2 + shift,
              b.rect.Top + (kButtonHeight - label.cy) / 2 + shift, b.label);
  }
}

const MessageBoxDialog::Button* MessageBoxDialog::ButtonAt(int x, int y) const {
  for (const Button& b : buttons_) {
    if (b.rect.Left <= x && x < b.rect.Right && b.rect.Top <= y && y < b.rect.Bottom) return &b;
  }
  return nullptr;
}

void MessageBoxDialog::MouseDown(TMouseButton button, int x, int y) {
  pressed_ = button == TMouseButton::mbLeft ? ButtonAt(x, y) : nullptr;
}

void MessageBoxDialog::MouseUp(TMouseButton button, int x, int y) {
  if (pressed_ != nullptr && button == TMouseButton::mbLeft && ButtonAt(x, y) == pressed_)
    answer_ = pressed_->answer;
  pressed_ = nullptr;
}

void MessageBoxDialog::KeyDown(DialogKey key) {
  if (key == DialogKey::Enter) answer_ = buttons_.front().answer;
  if (key == DialogKey::Escape) answer_ = Dismissed();
}

// Message boxes are logged by the platform when they are shown; headless, a box is answered as Esc would.
std::vector<std::string> MessageBoxDialog::CloseHeadless(const HeadlessDialogInput&) {
  answer_ = Dismissed();
  return {};
}

}  // namespace wispen
