// Out-of-line members of the seam's handle types and interface destructors.
#include "host/ADM.h"
#include "host/AV.h"
#include "host/Cos.h"
#include "host/PD.h"
#include "host/PDE.h"

namespace host {

CosObjImpl::~CosObjImpl() = default;
CosDocImpl::~CosDocImpl() = default;

CosDoc CosObj::Doc() const { return impl_ ? impl_->Doc() : CosDoc(); }
CosObj CosObj::ArrayGet(int index) const { return Impl().ArrayGet(index); }
CosObj CosObj::DictGet(std::string_view key) const { return Impl().DictGet(key); }
CosObj CosObj::StreamDict() const { return Impl().StreamDict(); }

bool operator==(const CosObj& a, const CosObj& b) {
  if (!a.impl_ || !b.impl_) return a.IsNull() && b.IsNull();
  return a.impl_->SameObject(*b.impl_);
}

PDAnnotImpl::~PDAnnotImpl() = default;
PDPageImpl::~PDPageImpl() = default;
PDDoc::~PDDoc() = default;
PDEElement::~PDEElement() = default;
PDEContent::~PDEContent() = default;

AVMenuItem::~AVMenuItem() = default;
AVMenu::~AVMenu() = default;
AVMenubar::~AVMenubar() = default;
AVToolButton::~AVToolButton() = default;
AVToolBar::~AVToolBar() = default;
AVWindow::~AVWindow() = default;
AVDoc::~AVDoc() = default;
AVPageView::~AVPageView() = default;

ADMDialog::~ADMDialog() = default;
ADMItem::~ADMItem() = default;
ADMEntry::~ADMEntry() = default;
ADMList::~ADMList() = default;
ADMListEntry::~ADMListEntry() = default;
ADMHierarchyList::~ADMHierarchyList() = default;
ADMNotifier::~ADMNotifier() = default;
ADMTracker::~ADMTracker() = default;
ADMDrawer::~ADMDrawer() = default;

}  // namespace host
