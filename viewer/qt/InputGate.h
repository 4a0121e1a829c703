// While a dialog handles its waiting events in the middle of long work,
// only that dialog (and the pop-ups it opens) hears a person: clicks, keys
// and window closes elsewhere are held back, so nothing else starts while
// the work runs.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace viewer::qt {

class InputGate final : public QObject {
 public:
  explicit InputGate(QWidget* allowed);
  ~InputGate() override;
  InputGate(const InputGate&) = delete;
  InputGate& operator=(const InputGate&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Allowed(QObject* target) const;
  QPointer<QWidget> allowed_;
};

}  // namespace viewer::qt
