// frmLinux ("Linux Library Setup"): the instruction page the set-up window
// shows after it installed the WINE library of the program folder, with an
// example picture of the override list at the left and of the configuration
// program at the right.
#pragma once

#include <QDialog>

namespace ondrik {

class frmLinux : public QDialog {
  Q_OBJECT

 public:
  explicit frmLinux(QWidget* parent = nullptr);
  void btnOK_Click();

  // The three instruction texts.
  static QString Label1Text();
  static QString Label2Text();
  static QString Label3Text();
};

}  // namespace ondrik
