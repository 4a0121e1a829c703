#include "viewer/qt/dialogs/ItemViews.h"

#include <type_traits>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStandardItemModel>
#include <QTreeWidget>

#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/HierarchyList.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/List.h"
#include "viewer/core/dm/UserActions.h"
#include "viewer/qt/Conversions.h"
#include "viewer/qt/InputMapping.h"
#include "viewer/qt/PainterSurface.h"
#include "viewer/qt/dialogs/DialogWidget.h"

namespace viewer::qt {

namespace {

// Button titles are plain text: '&' is no mnemonic mark.
QString ButtonText(const std::string& utf8) { return FromUtf8(utf8).replace('&', "&&"); }

// Focus moves a person makes (not those of windows opening or the dialog
// putting the focus somewhere itself).
bool IsPersonsMove(Qt::FocusReason reason) {
  return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
}

}  // namespace

// Turns focus changes of an editor into Focus and Leave actions.
class FocusTracker final : public QObject {
 public:
  FocusTracker(QObject* parent, std::function<void()> entered, std::function<void()> left)
      : QObject(parent), entered_(std::move(entered)), left_(std::move(left)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (!IsPersonsMove(reason)) return false;
    if (event->type() == QEvent::FocusOut) left_();
    else if (reason != Qt::OtherFocusReason) entered_();
    return false;
  }

 private:
  std::function<void()> entered_;
  std::function<void()> left_;
};

// ---- ItemView --------------------------------------------------------------------

ItemView::ItemView(DialogWidget& owner, dm::Item& item)
    : owner_(owner), item_(item), id_(item.ID()), kind_(item.Kind()) {}

void ItemView::Sync() {
  QWidget* widget = Widget();
  syncing_ = true;
  const host::ADMRect bounds = item_.GetBoundsRect();
  widget->setGeometry(bounds.left, bounds.top, std::max(0, bounds.Width()), std::max(0, bounds.Height()));
  widget->setVisible(item_.IsVisible());
  widget->setEnabled(item_.IsEnabled());
  widget->setToolTip(FromUtf8(item_.Tip()));
  SyncContent();
  syncing_ = false;
}

void ItemView::Retire() {
  QWidget* widget = Widget();
  widget->disconnect();
  widget->hide();
  widget->deleteLater();
}

void ItemView::Act(const std::function<void(dm::UserActions&)>& action) {
  if (!syncing_) owner_.Act(action);
}

void ItemView::TrackFocus(QWidget& editor) {
  const int id = id_;
  DialogWidget* owner = &owner_;
  auto* tracker = new FocusTracker(
      &editor, [owner, id] { owner->Act([id](dm::UserActions& a) { a.Focus(id); }); },
      [owner, id] {
        const dm::Dialog* dialog = owner->Model();
        const dm::Item* focused = dialog ? dialog->FocusedItem() : nullptr;
        if (focused && focused->ID() == id) owner->Act([](dm::UserActions& a) { a.Leave(); });
      });
  editor.installEventFilter(tracker);
}

namespace {

// ---- Texts -------------------------------------------------------------------------

class StaticTextView final : public ItemView {
 public:
  StaticTextView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), label_(new QLabel(parent)) {
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  QWidget* Widget() const override { return label_; }

 protected:
  void SyncContent() override { label_->setText(FromUtf8(item_.GetText())); }

 private:
  QLabel* label_;
};

class EditTextView final : public ItemView {
 public:
  EditTextView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), edit_(new QLineEdit(parent)) {
    // Byte limits of UTF-8 are the dialog manager's: the editor takes any length.
    edit_->setReadOnly(Kind() == dm::ItemKind::TextEditReadOnly);
    const int id = ID();
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this, id](const QString& text) {
      Act([id, utf8 = ToUtf8(text)](dm::UserActions& a) { a.Type(id, utf8); });
    });
    if (!edit_->isReadOnly()) TrackFocus(*edit_);
  }
  QWidget* Widget() const override { return edit_; }

 protected:
  void SyncContent() override {
    const QString text = FromUtf8(item_.GetText());
    if (edit_->text() == text) return;
    const int cursor = edit_->cursorPosition();
    edit_->setText(text);
    edit_->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
  }

 private:
  QLineEdit* edit_;
};

// ---- Buttons -----------------------------------------------------------------------

template <typename Button>
class ButtonView final : public ItemView {
 public:
  ButtonView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), button_(new Button(parent)) {
    if constexpr (std::is_same_v<Button, QRadioButton>) button_->setAutoExclusive(false);  // groups are the dialog's
    if constexpr (std::is_same_v<Button, QPushButton>) {
      button_->setAutoDefault(false);
      button_->setCheckable(Kind() == dm::ItemKind::TabButton);
    }
    const int id = ID();
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this, id] { Act([id](dm::UserActions& a) { a.Press(id); }); });
  }
  QWidget* Widget() const override { return button_; }

 protected:
  void SyncContent() override {
    button_->setText(ButtonText(item_.GetText()));
    if (button_->isCheckable()) button_->setChecked(item_.GetBooleanValue());
    if constexpr (std::is_same_v<Button, QPushButton>) {
      const dm::Dialog& dialog = item_.OwnerDialog();
      button_->setDefault(Kind() == dm::ItemKind::PushButton && dialog.GetDefaultItemID() == ID());
    }
  }

 private:
  Button* button_;
};

// ---- Lists -------------------------------------------------------------------------

// What a list shows, to rebuild the widget's entries only when it changed.
struct EntryLook {
  QString text;
  bool separator;
  bool enabled;
  int picture;
  std::string family;
  bool operator==(const EntryLook&) const = default;
};

std::vector<EntryLook> LooksOf(const dm::List& list) {
  std::vector<EntryLook> looks;
  for (int i = 0; i < list.NumberOfEntries(); ++i) {
    const dm::Entry& entry = *list.EntryAt(i);
    looks.push_back({FromUtf8(entry.GetText()), entry.IsSeparator(), entry.IsEnabled(), entry.GetPictureID(),
                     entry.PictureFamily()});
  }
  return looks;
}

class ComboView final : public ItemView {
 public:
  ComboView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), combo_(new QComboBox(parent)) {
    const int id = ID();
    QObject::connect(combo_, qOverload<int>(&QComboBox::activated), combo_,
                     [this, id](int index) { Act([id, index](dm::UserActions& a) { a.Select(id, index); }); });
    if (Kind() == dm::ItemKind::TextEditPopup) {
      combo_->setEditable(true);
      combo_->setInsertPolicy(QComboBox::NoInsert);
      QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, combo_, [this, id](const QString& text) {
        Act([id, utf8 = ToUtf8(text)](dm::UserActions& a) { a.Type(id, utf8); });
      });
      TrackFocus(*combo_->lineEdit());
    }
  }
  QWidget* Widget() const override { return combo_; }
  QWidget* FocusTarget() const override { return combo_->isEditable() ? static_cast<QWidget*>(combo_->lineEdit()) : combo_; }

 protected:
  void SyncContent() override {
    const dm::List& list = *item_.EntryList();
    std::vector<EntryLook> looks = LooksOf(list);
    if (looks != shown_) {
      combo_->clear();
      auto* model = qobject_cast<QStandardItemModel*>(combo_->model());
      for (std::size_t i = 0; i < looks.size(); ++i) {
        const EntryLook& look = looks[i];
        if (look.separator) {
          combo_->insertSeparator(static_cast<int>(i));
          continue;
        }
        combo_->addItem(owner_.Icon(look.picture, look.family), look.text);
        if (!look.enabled && model) model->item(static_cast<int>(i))->setEnabled(false);
      }
      shown_ = std::move(looks);
    }
    combo_->setCurrentIndex(list.ActiveIndex());
    if (combo_->isEditable()) {
      const QString text = FromUtf8(item_.GetText());
      if (combo_->lineEdit()->text() != text) combo_->lineEdit()->setText(text);
    }
  }

 private:
  QComboBox* combo_;
  std::vector<EntryLook> shown_;
};

class ListBoxView final : public ItemView {
 public:
  ListBoxView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), list_(new QListWidget(parent)) {
    const int id = ID();
    QObject::connect(list_, &QListWidget::currentRowChanged, list_, [this, id](int row) {
      if (row >= 0) Act([id, row](dm::UserActions& a) { a.Select(id, row); });
    });
  }
  QWidget* Widget() const override { return list_; }

 protected:
  void SyncContent() override {
    const dm::List& list = *item_.EntryList();
    std::vector<EntryLook> looks = LooksOf(list);
    if (looks != shown_) {
      list_->clear();
      for (const EntryLook& look : looks) {
        auto* row = new QListWidgetItem(owner_.Icon(look.picture, look.family), look.separator ? QString() : look.text, list_);
        if (look.separator || !look.enabled) row->setFlags(row->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        if (look.separator) row->setSizeHint(QSize(0, 6));
      }
      shown_ = std::move(looks);
    }
    list_->setCurrentRow(list.ActiveIndex());
  }

 private:
  QListWidget* list_;
  std::vector<EntryLook> shown_;
};

// ---- Hierarchy lists ----------------------------------------------------------------

class TreeView final : public ItemView {
 public:
  TreeView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), tree_(new QTreeWidget(parent)) {
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    const int id = ID();
    QObject::connect(tree_, &QTreeWidget::itemExpanded, tree_, [this, id](QTreeWidgetItem* node) {
      Act([id, path = PathOf(node)](dm::UserActions& a) { a.ExpandTreeEntry(id, path, true); });
    });
    QObject::connect(tree_, &QTreeWidget::itemCollapsed, tree_, [this, id](QTreeWidgetItem* node) {
      Act([id, path = PathOf(node)](dm::UserActions& a) { a.ExpandTreeEntry(id, path, false); });
    });
    QObject::connect(tree_, &QTreeWidget::currentItemChanged, tree_, [this, id](QTreeWidgetItem* node) {
      if (node) Act([id, path = PathOf(node)](dm::UserActions& a) { a.SelectTreeEntry(id, path); });
    });
  }
  QWidget* Widget() const override { return tree_; }

 protected:
  void SyncContent() override {
    current_ = nullptr;
    SyncLevel(*item_.Tree(), tree_->invisibleRootItem());
    tree_->setCurrentItem(current_);
  }

 private:
  static std::vector<int> PathOf(QTreeWidgetItem* node) {
    std::vector<int> path;
    for (; node; node = node->parent()) {
      const QTreeWidgetItem* parent = node->parent();
      path.insert(path.begin(), parent ? parent->indexOfChild(node) : node->treeWidget()->indexOfTopLevelItem(node));
    }
    return path;
  }

  // Brings one level up to date in place, so that the node a person just
  // opened stays what it is while its children are filled in.
  void SyncLevel(const dm::HierarchyList& list, QTreeWidgetItem* node) {
    const int count = list.NumberOfEntries();
    while (node->childCount() > count) delete node->takeChild(node->childCount() - 1);
    for (int i = 0; i < count; ++i) {
      const dm::ListEntry& entry = *list.EntryAt(i);
      QTreeWidgetItem* child = i < node->childCount() ? node->child(i) : new QTreeWidgetItem(node);
      child->setText(0, FromUtf8(entry.GetText()));
      const dm::HierarchyList* children = entry.ChildList();
      child->setChildIndicatorPolicy(children ? QTreeWidgetItem::ShowIndicator
                                              : QTreeWidgetItem::DontShowIndicatorWhenChildless);
      if (children) SyncLevel(*children, child);
      else while (child->childCount() > 0) delete child->takeChild(0);
      child->setExpanded(entry.IsExpanded());
      if (entry.IsActive()) current_ = child;
    }
  }

  QTreeWidget* tree_;
  QTreeWidgetItem* current_ = nullptr;
};

// ---- Numbers -----------------------------------------------------------------------

template <typename Bar>
class NumberView final : public ItemView {
 public:
  NumberView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), bar_(new Bar(parent)) {
    const host::ADMRect bounds = item.GetBoundsRect();
    const Qt::Orientation orientation = bounds.Width() >= bounds.Height() ? Qt::Horizontal : Qt::Vertical;
    if constexpr (std::is_same_v<Bar, QProgressBar>) {
      bar_->setOrientation(orientation);
      bar_->setTextVisible(false);
    } else {
      bar_->setOrientation(orientation);
      const int id = ID();
      QObject::connect(bar_, &QAbstractSlider::valueChanged, bar_,
                       [this, id](int value) { Act([id, value](dm::UserActions& a) { a.SetValue(id, value); }); });
    }
  }
  QWidget* Widget() const override { return bar_; }

 protected:
  void SyncContent() override {
    bar_->setRange(item_.GetMinIntValue(), item_.GetMaxIntValue());
    if constexpr (!std::is_same_v<Bar, QProgressBar>) {
      bar_->setSingleStep(item_.GetSmallIncrement());
      bar_->setPageStep(item_.GetLargeIncrement());
    }
    bar_->setValue(item_.GetIntValue());
  }

 private:
  Bar* bar_;
};

// ---- Frames, pictures, user items --------------------------------------------------------

class FrameView final : public ItemView {
 public:
  FrameView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), frame_(new QFrame(parent)) {
    frame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame_->lower();
  }
  QWidget* Widget() const override { return frame_; }

 protected:
  void SyncContent() override {}

 private:
  QFrame* frame_;
};

// A widget that hands its paints and presses to the item view.
class ItemCanvas final : public QWidget {
 public:
  using QWidget::QWidget;
  std::function<void(QPainter&)> paint;
  std::function<void(QMouseEvent*, bool doubleClick)> press;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!paint) return;
    QPainter painter(this);
    paint(painter);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (press) press(event, false);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (press) press(event, true);
  }
};

class PictureView final : public ItemView {
 public:
  PictureView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), canvas_(new ItemCanvas(parent)) {
    const int id = ID();
    canvas_->paint = [this](QPainter& painter) {
      if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
    };
    canvas_->press = [this, id](QMouseEvent*, bool) { Act([id](dm::UserActions& a) { a.Press(id); }); };
  }
  QWidget* Widget() const override { return canvas_; }
  void Retire() override {
    canvas_->paint = nullptr;
    canvas_->press = nullptr;
    ItemView::Retire();
  }

 protected:
  void SyncContent() override {
    const QIcon icon = owner_.Icon(item_.GetPictureID(), item_.PictureFamily());
    picture_ = icon.isNull() ? QPixmap() : icon.pixmap(icon.availableSizes().value(0, canvas_->size()));
    canvas_->update();
  }

 private:
  ItemCanvas* canvas_;
  QPixmap picture_;
};

class UserItemView final : public ItemView {
 public:
  UserItemView(DialogWidget& owner, dm::Item& item, QWidget* parent) : ItemView(owner, item), canvas_(new ItemCanvas(parent)) {
    const int id = ID();
    dm::Item* drawn = &item;
    canvas_->paint = [drawn](QPainter& painter) {
      PainterSurface surface(painter);
      drawn->Draw(surface);
    };
    canvas_->press = [this, id](QMouseEvent* event, bool doubleClick) {
      const host::ADMPoint where{event->position().toPoint().x(), event->position().toPoint().y()};
      const int modifiers = HostModifiers(event->modifiers());
      Act([=](dm::UserActions& a) { a.Press(id, where, modifiers, doubleClick); });
    };
  }
  QWidget* Widget() const override { return canvas_; }
  void Retire() override {
    canvas_->paint = nullptr;
    canvas_->press = nullptr;
    ItemView::Retire();
  }

 protected:
  void SyncContent() override { canvas_->update(); }

 private:
  ItemCanvas* canvas_;
};

}  // namespace

std::unique_ptr<ItemView> MakeItemView(DialogWidget& owner, dm::Item& item, QWidget* parent) {
  switch (item.Kind()) {
    case dm::ItemKind::TextStatic:
      return std::make_unique<StaticTextView>(owner, item, parent);
    case dm::ItemKind::TextEdit:
    case dm::ItemKind::TextEditReadOnly:
      return std::make_unique<EditTextView>(owner, item, parent);
    case dm::ItemKind::PushButton:
    case dm::ItemKind::TabButton:
      return std::make_unique<ButtonView<QPushButton>>(owner, item, parent);
    case dm::ItemKind::CheckBox:
      return std::make_unique<ButtonView<QCheckBox>>(owner, item, parent);
    case dm::ItemKind::RadioButton:
      return std::make_unique<ButtonView<QRadioButton>>(owner, item, parent);
    case dm::ItemKind::PopupList:
    case dm::ItemKind::TextEditPopup:
      return std::make_unique<ComboView>(owner, item, parent);
    case dm::ItemKind::ListBox:
      return std::make_unique<ListBoxView>(owner, item, parent);
    case dm::ItemKind::HierarchyListBox:
      return std::make_unique<TreeView>(owner, item, parent);
    case dm::ItemKind::ScrollBar:
      return std::make_unique<NumberView<QScrollBar>>(owner, item, parent);
    case dm::ItemKind::Slider:
      return std::make_unique<NumberView<QSlider>>(owner, item, parent);
    case dm::ItemKind::ProgressBar:
      return std::make_unique<NumberView<QProgressBar>>(owner, item, parent);
    case dm::ItemKind::Frame:
      return std::make_unique<FrameView>(owner, item, parent);
    case dm::ItemKind::PictureStatic:
      return std::make_unique<PictureView>(owner, item, parent);
    case dm::ItemKind::User:
      return std::make_unique<UserItemView>(owner, item, parent);
  }
  return nullptr;
}

}  // namespace viewer::qt
