#include "blocktool/host/MarkupBlockDraw.h"

#include "blocktool/model/MarkupBlock.h"

void CMarkupBlockDraw::ValidateBlockAVRect() {
  if (host::AVPageView* view = block_.PageView()) block_.SetDeviceRect(view->RectToDevice(block_.BlockRectFx()));
}
