// Draws one block and answers which of its handles is under the pointer.
// It keeps the block's device rectangle and its eight handles in step with
// the page view, and counts the drawing passes of the block's blinking.
//
// DrawMarkUpBlocks is the page views' drawing procedure while the block tool
// is active; it draws every block of the page a view shows over the page.
#pragma once

#include <array>

#include "host/ADM.h"
#include "host/AV.h"
#include "host/HostTypes.h"

class CMarkupBlock;

namespace block_colors {
inline constexpr host::RGBColor16 kSelectedBlock{65535, 0, 65535};
inline constexpr host::RGBColor16 kInSelection{32768, 32768, 65535};
inline constexpr host::RGBColor16 kUnselected{32768, 32768, 32768};
inline constexpr host::RGBColor16 kBlinking{32768, 0, 32768};
inline constexpr host::RGBColor16 kTextBanner{65535, 32768, 32768};
inline constexpr host::RGBColor16 kImageBanner{0, 32768, 0};
inline constexpr host::RGBColor16 kPDFBanner{0, 0, 32768};
// A block whose kind is none of the three: a dark grey that the white name
// still reads on.
inline constexpr host::RGBColor16 kUnknownKindBanner{16384, 16384, 16384};
inline constexpr host::RGBColor16 kName{65535, 65535, 65535};
}  // namespace block_colors

class CMarkupBlockDraw {
 public:
  static constexpr int kHandleCount = 8;
  static constexpr int kHandleSize = 6;
  // What GetSelectedCursorPos answers inside the block but on no handle.
  static constexpr int kInsideBlock = 8;
  // One blink lasts this many drawing passes; the frame is purple in the
  // first kBlinkPurplePasses of them.
  static constexpr int kPassesPerBlink = 100;
  static constexpr int kBlinkPurplePasses = 49;

  explicit CMarkupBlockDraw(CMarkupBlock& block) : block_(block) {}

  // Converts the block's page rectangle to the device rectangle of its page
  // view for the current zoom and scroll, stores it in the block and places
  // the handles: clockwise from the top-left corner, each 6 x 6 pixels
  // inside the block.
  void ValidateBlockAVRect();
  // -1 outside the block (edges count as inside), the first handle (0 to 7)
  // that holds the point, else 8.
  int GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y);
  const std::array<host::AVRect, kHandleCount>& Handles() const { return handles_; }

  // Draws frame, handles (selected blocks), banner and name, shifted so that
  // the view's aperture origin lands on the drawer's (0, 0). A failure ends
  // this block's drawing and is reported once for the block; it answers
  // false then.
  bool DrawBlock(host::ADMDrawer& drawer, const host::AVRect& origin);
  // The banner colour of the block's kind.
  void SetBannerRGBColorRec(host::RGBColor16& color) const;
  int BlinkCounter() const { return blinkCounter_; }

 private:
  void PlaceHandles(const host::AVRect& rect);
  host::RGBColor16 FrameColor();
  void Paint(host::ADMDrawer& drawer, const host::AVRect& origin, const host::RGBColor16& frame);

  int blinkCounter_ = 0;
  CMarkupBlock& block_;
  std::array<host::AVRect, kHandleCount> handles_{};
  bool failureReported_ = false;
};

// The page-view drawing procedure (client data: the extension's), and the
// procedure the tool registers while it is active (set at start-up).
void DrawMarkUpBlocks(host::AVPageView* view, const host::AVRect* updateRect, void* clientData);
extern host::AVPageViewDrawProc drawMarkupContentBlocksProc;

// The zoom-limit message, at most once while the plug-in runs and only for a
// page that has blocks to show.
void InformZoomLimit(bool pageHasBlocks);
