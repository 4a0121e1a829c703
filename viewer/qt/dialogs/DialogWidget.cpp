#include "viewer/qt/dialogs/DialogWidget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"
#include "viewer/core/resources/ResourceStore.h"
#include "viewer/qt/Conversions.h"
#include "viewer/qt/PainterSurface.h"
#include "viewer/qt/dialogs/ItemViews.h"

namespace viewer::qt {

namespace {

Qt::WindowFlags FlagsFor(const dm::Dialog& dialog) {
  if (!dialog.IsFloating()) return Qt::Dialog;
  Qt::WindowFlags flags = Qt::Tool;
  if (!dialog.HasCloseBox()) flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  return flags;
}

}  // namespace

DialogWidget::DialogWidget(dm::Dialog& dialog, const ResourceStore& resources, QWidget* parent)
    : QDialog(parent, FlagsFor(dialog)), dialog_(&dialog), resources_(resources) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setSizeGripEnabled(dialog.IsResizable());
  SyncAll();
}

DialogWidget::~DialogWidget() = default;

// ---- Showing the dialog's state ------------------------------------------------------

void DialogWidget::ModelChanged() {
  if (!dialog_) return;
  if (dialog_->HasEnded()) {
    if (modalLoop_) modalLoop_->exit();
    return;
  }
  syncing_ = true;
  SyncStructure();
  for (const auto& view : views_)
    if (view->Item().Revision() > revisionSeen_) view->Sync();
  revisionSeen_ = dialog_->Revision();
  SyncWindow();
  SyncFocus();
  syncing_ = false;
  update();
}

void DialogWidget::SyncAll() {
  if (!dialog_) return;
  syncing_ = true;
  SyncStructure();
  for (const auto& view : views_) view->Sync();
  revisionSeen_ = dialog_->Revision();
  SyncWindow();
  SyncFocus();
  syncing_ = false;
  update();
}

ItemView* DialogWidget::ViewOf(const void* item) const {
  for (const auto& view : views_)
    if (&view->Item() == item) return view.get();
  return nullptr;
}

void DialogWidget::SyncStructure() {
  if (structureSeen_ == dialog_->StructureRevision()) return;
  structureSeen_ = dialog_->StructureRevision();
  std::vector<std::unique_ptr<ItemView>> kept;
  for (int i = 0; i < dialog_->NumItems(); ++i) {
    dm::Item& item = dialog_->ItemAt(i);
    auto same = std::find_if(views_.begin(), views_.end(), [&](const auto& view) {
      return view && &view->Item() == &item && view->ID() == item.ID() && view->Kind() == item.Kind();
    });
    if (same != views_.end()) {
      kept.push_back(std::move(*same));
    } else {
      kept.push_back(MakeItemView(*this, item, this));
      kept.back()->Sync();
    }
  }
  for (auto& gone : views_)
    if (gone) gone->Retire();
  views_ = std::move(kept);
  // Frames are drawn behind the items they surround.
  for (const auto& view : views_)
    if (view->Kind() == dm::ItemKind::Frame) view->Widget()->lower();
}

void DialogWidget::SyncWindow() {
  setWindowTitle(FromUtf8(dialog_->GetText()));
  const host::ADMRect bounds = dialog_->GetBoundsRect();
  // Only bounds the dialog itself changed are applied: a person's move or
  // resize that has not reached the dialog yet must not be undone.
  if (bounds != appliedBounds_) {
    appliedBounds_ = bounds;
    const QSize size(std::max(1, bounds.Width()), std::max(1, bounds.Height()));
    if (dialog_->IsResizable()) resize(size);
    else setFixedSize(size);
    // A dialog at (0, 0) has no place of its own: it opens centred over its
    // parent, as the window system places it. Bounds are the inside of the
    // window, without its frame.
    if (bounds.left != 0 || bounds.top != 0) setGeometry(QRect(QPoint(bounds.left, bounds.top), size));
  }
  const bool shown = dialog_->IsVisible();
  if (running_ && shown != isVisible()) setVisible(shown);
}

void DialogWidget::SyncFocus() {
  const dm::Item* focused = dialog_->FocusedItem();
  if (!focused) return;
  if (ItemView* view = ViewOf(focused)) {
    QWidget* target = view->FocusTarget();
    if (!target->hasFocus()) target->setFocus(Qt::ActiveWindowFocusReason);
  }
}

// ---- Running ---------------------------------------------------------------------------

int DialogWidget::RunModal() {
  setWindowModality(Qt::ApplicationModal);
  running_ = true;
  SyncAll();
  QEventLoop loop;
  modalLoop_ = &loop;
  if (dialog_ && !dialog_->HasEnded()) loop.exec(QEventLoop::DialogExec);
  modalLoop_ = nullptr;
  hide();
  return dialog_ ? dialog_->EndedItem() : 2;
}

void DialogWidget::ShowModeless() {
  running_ = true;
  SyncAll();
}

void DialogWidget::Retire() {
  dialog_ = nullptr;
  for (auto& view : views_) view->Retire();
  views_.clear();
  if (modalLoop_) modalLoop_->exit();
  hide();
  deleteLater();
}

void DialogWidget::Act(const std::function<void(dm::UserActions&)>& action) {
  if (!dialog_ || syncing_) return;
  try {
    dm::UserActions actions(*dialog_);
    action(actions);
  } catch (const dm::UserActionError&) {
    // A person cannot do that (the dialog refused the focus, the item is
    // disabled): the window shows the dialog as it is.
  }
  if (dialog_ && !dialog_->HasEnded()) SyncAll();
}

// ---- Keys, closing, moving ---------------------------------------------------------------

void DialogWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Act([](dm::UserActions& a) { a.PressReturn(); });
      return;
    case Qt::Key_Escape:
      Act([](dm::UserActions& a) { a.PressEscape(); });
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void DialogWidget::reject() { Act([](dm::UserActions& a) { a.PressEscape(); }); }

void DialogWidget::closeEvent(QCloseEvent* event) {
  // The dialog decides: it hides this window when it ends or goes.
  event->ignore();
  if (dialog_ && dialog_->HasCloseBox()) Act([](dm::UserActions& a) { a.Close(); });
}

void DialogWidget::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  // Moves the window shows of the dialog's own bounds find them equal.
  if (!dialog_ || syncing_ || !isVisible()) return;
  const host::ADMRect bounds = dialog_->GetBoundsRect();
  const QPoint at = geometry().topLeft();
  if (at != QPoint(bounds.left, bounds.top)) Act([at](dm::UserActions& a) { a.MoveTo(at.x(), at.y()); });
}

void DialogWidget::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!dialog_ || syncing_ || !isVisible() || !dialog_->IsResizable()) return;
  const host::ADMRect bounds = dialog_->GetBoundsRect();
  const QSize now = size();
  if (now != QSize(bounds.Width(), bounds.Height()))
    Act([now](dm::UserActions& a) { a.ResizeTo(now.width(), now.height()); });
}

void DialogWidget::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (!dialog_) return;
  QPainter painter(this);
  PainterSurface surface(painter);
  dialog_->Draw(surface);
}

// ---- Pictures and tests ---------------------------------------------------------------------

QIcon DialogWidget::Icon(int picture, const std::string& family) const {
  if (picture == 0 || !dialog_) return {};
  const QPixmap pixmap = PixmapOf(resources_.Image(dialog_->Plugin(), "icon", picture, family));
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

QWidget* DialogWidget::ItemWidget(int itemID) const {
  for (const auto& view : views_)
    if (view->ID() == itemID) return view->Widget();
  return nullptr;
}

}  // namespace viewer::qt
