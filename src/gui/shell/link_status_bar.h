#pragma once
// CLinkStatusBar: the main frame's status bar. Pane 0 is the stretching message
// pane ("Ready", menu prompts, status texts of the monitor); pane 1 shows the
// connected or not-connected picture at its own size.
#include <QPixmap>
#include <QStatusBar>
#include <QString>
#include <functional>

namespace skyvane {

class ConnectionPane : public QWidget {
  Q_OBJECT
 public:
  // isConnected is asked each time the pane is drawn.
  ConnectionPane(std::function<bool()> isConnected, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  // From now on the pane shows that this window does not poll, whatever the
  // station says, with the tool tip telling why.
  void ShowNotPolling(const QString& toolTip);
  bool NotPolling() const { return notPolling_; }
  // True when the last paint showed the connected picture.
  bool ShowedConnected() const { return showedConnected_; }
  // The picture's size in layout pixels.
  QSize PictureSize() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<bool()> isConnected_;
  QPixmap connected_;
  QPixmap notConnected_;
  QPixmap notPollingPicture_;
  bool notPolling_ = false;
  // The three pictures as drawn on the background they were last made readable on.
  QPixmap readable_[3];
  QRgb readableOn_ = 0;
  bool showedConnected_ = false;
};

class CLinkStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  CLinkStatusBar(std::function<bool()> isConnected, QWidget* parent = nullptr);

  // Pane 0. The resting text is what the pane returns to after a menu prompt.
  void SetPaneText(const QString& text);
  QString PaneText() const { return currentMessage(); }
  void ShowPrompt(const QString& prompt);
  ConnectionPane* Pane1() const { return pane1_; }

 private:
  ConnectionPane* pane1_;
  QString resting_;
};

}  // namespace skyvane
