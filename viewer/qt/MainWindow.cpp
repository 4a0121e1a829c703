#include "viewer/qt/MainWindow.h"

#include <cmath>

#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>

#include "viewer/core/Document.h"
#include "viewer/core/Host.h"
#include "viewer/core/PageView.h"
#include "viewer/qt/Conversions.h"
#include "viewer/qt/MenuView.h"
#include "viewer/qt/PageViewWidget.h"
#include "viewer/qt/QtFrontEnd.h"

namespace viewer::qt {

namespace {

constexpr const char* kButtonProperty = "korvidButton";

QIcon ButtonIcon(Host& host, const ToolButton& button) {
  if (!button.Owner() || button.IconResource() == 0) return {};
  const QPixmap pixmap = PixmapOf(host.Resources().Image(button.Owner(), "icon", button.IconResource()));
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace

MainWindow::MainWindow(QtFrontEnd& front, Host& host, Document* doc) : front_(front), host_(&host), doc_(doc) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  toolBar_ = addToolBar("Tools");
  toolBar_->setObjectName("korvidTools");
  toolBar_->setMovable(false);
  status_ = new QLabel(this);
  statusBar()->addWidget(status_);
  if (doc_) {
    pageView_ = new PageViewWidget(front_, host, *doc_, this);
    setCentralWidget(pageView_);
    pageView_->setFocus();
  } else {
    auto* empty = new QWidget(this);
    empty->setAutoFillBackground(true);
    empty->setBackgroundRole(QPalette::Dark);
    setCentralWidget(empty);
  }
  resize(900, 1000);
  RebuildMenus();
  RebuildToolBar();
  ShowViewState();
}

MainWindow::~MainWindow() = default;

// ---- Menus -------------------------------------------------------------------------

void MainWindow::RebuildMenus() {
  menuBar()->clear();
  for (const QPointer<QMenu>& old : menus_)
    if (old) old->deleteLater();  // one of them may be emitting the signal that brought us here
  menus_.clear();
  if (!host_) return;
  for (const Menu* menu : host_->Menus().Menus()) {
    auto* shown = new QMenu(FromUtf8(menu->Title()).replace('&', "&&"), menuBar());
    shown->setObjectName(FromUtf8(menu->Name()));
    FillMenu(*shown, *menu);
    ConnectMenu(*shown);
    menuBar()->addMenu(shown);
    menus_.emplace_back(shown);
  }
}

void MainWindow::ConnectMenu(QMenu& menu) {
  connect(&menu, &QMenu::aboutToShow, this, [this, &menu] {
    if (host_) EvaluateStates(menu, host_->Menus(), host_->Ui());
  });
  connect(&menu, &QMenu::aboutToHide, this, [&menu] { EnableAll(menu); });
  for (QAction* action : menu.actions()) {
    if (QMenu* sub = action->menu()) {
      ConnectMenu(*sub);
    } else if (const std::uint64_t serial = ItemSerialOf(*action)) {
      connect(action, &QAction::triggered, this, [this, serial] { ChooseItem(serial); });
    }
  }
}

void MainWindow::ChooseItem(std::uint64_t serial) {
  if (!host_) return;
  if (MenuItem* item = FindItemBySerial(host_->Menus(), serial)) {
    item->Acquire();
    host_->ChooseMenuItem(*item);
    item->Release();
  }
  front_.RefreshCommandStates();
}

// ---- Tool bar ----------------------------------------------------------------------

void MainWindow::RebuildToolBar() {
  toolBar_->clear();
  if (!host_) return;
  for (const ToolButton* button : host_->GetToolBar().Buttons()) {
    if (button->IsSeparator()) {
      toolBar_->addSeparator();
      continue;
    }
    const QString name = FromUtf8(button->Name());
    QAction* action = toolBar_->addAction(ButtonIcon(*host_, *button), name);
    action->setProperty(kButtonProperty, name);
    action->setToolTip(FromUtf8(button->HelpText()));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, name] { PressButton(name); });
  }
  RefreshToolBarStates();
}

void MainWindow::PressButton(const QString& name) {
  if (!host_) return;
  if (host::AVToolButton* button = host_->GetToolBar().GetButtonByName(name.toStdString())) button->Execute();
  front_.RefreshCommandStates();
}

void MainWindow::RefreshToolBarStates() {
  if (!host_) return;
  for (QAction* action : toolBar_->actions()) {
    const QString name = action->property(kButtonProperty).toString();
    if (name.isEmpty()) continue;
    host::AVToolButton* button = host_->GetToolBar().GetButtonByName(name.toStdString());
    if (!button) continue;
    action->setEnabled(button->IsEnabled());
    action->setChecked(button->IsMarked());
  }
}

// ---- The document ------------------------------------------------------------------

void MainWindow::ShowViewState() {
  if (!doc_) {
    setWindowTitle("Korvid");
    status_->clear();
    return;
  }
  setWindowTitle(FromUtf8(doc_->Title()) + " - Korvid");
  const PageView& view = doc_->View();
  const int percent = static_cast<int>(std::lround(view.ZoomFactor() * 100));
  status_->setText(QString("Page %1 of %2    %3 %")
                       .arg(view.GetPageNum() + 1)
                       .arg(doc_->Pdf().NumPages())
                       .arg(percent));
  if (doc_->IsVisible() != isVisible()) setVisible(doc_->IsVisible());
}

void MainWindow::DetachDocument() {
  if (pageView_) pageView_->Detach();
  doc_ = nullptr;
}

void MainWindow::DetachHost() {
  DetachDocument();
  host_ = nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A document closes through the host, which asks to save it first.
  if (doc_ && host_ && !host_->Documents().Close(*doc_, false)) {
    event->ignore();
    return;
  }
  event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && doc_ && host_ && doc_->IsVisible())
    host_->Documents().BringToFront(*doc_);
}

}  // namespace viewer::qt
