// The help contents window: three topics, each shown in the help text viewer.
#pragma once

#include <QWidget>

class QPushButton;

namespace kalvano::shell {

class ClickLabel;

class Content : public QWidget {
  Q_OBJECT
 public:
  explicit Content(QWidget* parent = nullptr);

  // Centres the window and sets its caption from the project file; runs when the window is
  // shown for the first time after it was created or closed.
  void Form_Load();
  bool Loaded() const { return loaded_; }

  void Label2_Click();
  void Label3_Click();
  void Label4_Click();
  void Picture1_Click() { Label2_Click(); }
  void learn_Click() { Label3_Click(); }
  void abouticon_Click() { Label4_Click(); }
  void okey_Click();

  ClickLabel* Label2() const { return label2_; }
  ClickLabel* Label3() const { return label3_; }
  ClickLabel* Label4() const { return label4_; }
  ClickLabel* Picture1() const { return picture1_; }
  ClickLabel* learn() const { return learn_; }
  ClickLabel* abouticon() const { return abouticon_; }
  QPushButton* okey() const { return okey_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowTopic(int topic);

  ClickLabel* label2_;
  ClickLabel* label3_;
  ClickLabel* label4_;
  ClickLabel* picture1_;
  ClickLabel* learn_;
  ClickLabel* abouticon_;
  QPushButton* okey_;
  bool loaded_ = false;
};

// Shows the contents window modeless, loading it first when it is not loaded.
void ShowContent();

}  // namespace kalvano::shell
