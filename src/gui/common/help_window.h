#pragma once
// The help window: the program's help file (kvhelp.html) in a browser of its
// own, so that help shows on any machine, with or without a web browser.
// Links inside the file move within it and Back returns; links to the web
// go to the desktop's browser when there is one. A search box finds a word
// forward and backward and marks every place it occurs.

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace kv {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // The one help window of the program that owner belongs to: made on
    // first use as a top-level window of owner's outermost window, then
    // reused; closing it only hides it.
    static HelpWindow* of(QWidget* owner);

    // The program's help file at a topic, for a window that explains
    // itself: HelpWindow::open(this, "testgame").
    static void open(QWidget* from, const QString& topic = QString());

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window with the help file at the topic (an anchor of the
    // file; the start of the file when empty) and brings it to the front.
    // Without a topic a window that already shows the file keeps its place.
    void showTopic(const QString& helpFile, const QString& topic = QString());

    // Selects the next or previous place of the search box's text, going
    // round at the end; false when the text does not occur.
    bool findNext();
    bool findPrevious();

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* searchBox() const { return search_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool find(bool backward);
    // Marks every place of the search text, the current one apart.
    void markMatches();
    void searchTextChanged();

    QTextBrowser* browser_ = nullptr;
    QLineEdit* search_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* contents_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QLabel* searchState_ = nullptr;
    bool placed_ = false;
};

}  // namespace kv
