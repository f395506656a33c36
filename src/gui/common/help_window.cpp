#include "gui/common/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/common/program_folders.h"

namespace kv {

namespace {

// Beyond this many places the marks only slow typing down; the search
// itself still finds every one.
constexpr int kMaxMarks = 2000;
const QColor kMatchColor(255, 236, 120);
const QColor kCurrentMatchColor(255, 160, 60);
const QColor kNotFoundColor(255, 200, 200);

QString notFoundPage(const QString& helpFile) {
    return QStringLiteral(
               "<h1>Kelvora Help</h1><p>The help file was not found:</p><p><code>%1</code></p>"
               "<p>It belongs in the program's folder beside the other data files.</p>")
        .arg(helpFile.toHtmlEscaped());
}

}  // namespace

HelpWindow* HelpWindow::of(QWidget* owner) {
    QWidget* top = owner->window();
    while (top->parentWidget() != nullptr) top = top->parentWidget()->window();
    if (auto* help = top->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly)) return help;
    return new HelpWindow(top);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kelvora Help"));

    back_ = new QPushButton(QStringLiteral("Back"), this);
    back_->setObjectName(QStringLiteral("HelpBack"));
    forward_ = new QPushButton(QStringLiteral("Forward"), this);
    contents_ = new QPushButton(QStringLiteral("Contents"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("HelpSearch"));
    search_->setPlaceholderText(QStringLiteral("Find in help"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);
    previous_ = new QPushButton(QStringLiteral("Previous"), this);
    next_ = new QPushButton(QStringLiteral("Next"), this);
    searchState_ = new QLabel(this);
    searchState_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Not found")) + 8);
    for (QPushButton* b : {back_, forward_, contents_, previous_, next_}) b->setAutoDefault(false);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpText"));
    // Anchors of the file move within it (and into Back's history); web
    // links go to the desktop's browser, and do nothing when there is none.
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(contents_);
    bar->addSpacing(16);
    bar->addWidget(search_, 1);
    bar->addWidget(previous_);
    bar->addWidget(next_);
    bar->addWidget(searchState_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, [this] {
        QUrl start = browser_->source();
        if (!start.isValid()) return;
        start.setFragment(QString());
        browser_->setSource(start);
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    // A page loaded anew has lost its marks.
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::markMatches);
    connect(search_, &QLineEdit::textEdited, this, &HelpWindow::searchTextChanged);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) searchTextChanged();  // the clear button
    });
    connect(next_, &QPushButton::clicked, this, &HelpWindow::findNext);
    connect(previous_, &QPushButton::clicked, this, &HelpWindow::findPrevious);

    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this, &HelpWindow::findNext);
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this,
            &HelpWindow::findPrevious);

    resize(820, 640);
}

void HelpWindow::open(QWidget* from, const QString& topic) {
    of(from)->showTopic(ProgramFolders::current().dataFile(QStringLiteral("kvhelp.html")), topic);
}

void HelpWindow::showTopic(const QString& helpFile, const QString& topic) {
    if (!QFileInfo::exists(helpFile)) {
        browser_->setHtml(notFoundPage(helpFile));
    } else {
        QUrl target = QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath());
        const bool showing = browser_->source().adjusted(QUrl::RemoveFragment) == target;
        if (!topic.isEmpty()) target.setFragment(topic);
        if (!showing || !topic.isEmpty()) browser_->setSource(target);
    }
    if (!placed_ && parentWidget() != nullptr) {
        // First time: beside the window it belongs to when the screen has
        // room, so that the table stays in view; over it otherwise.
        const QRect owner = parentWidget()->frameGeometry();
        const QRect screen = parentWidget()->screen()->availableGeometry();
        QPoint at = owner.topLeft() + QPoint(40, 40);
        if (owner.right() + 8 + width() <= screen.right()) at = QPoint(owner.right() + 8, owner.top());
        move(at);
    }
    placed_ = true;
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

bool HelpWindow::findNext() { return find(false); }
bool HelpWindow::findPrevious() { return find(true); }

bool HelpWindow::find(bool backward) {
    const QString text = search_->text();
    bool found = text.isEmpty();
    if (!found) {
        const QTextDocument::FindFlags flags =
            backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
        found = browser_->find(text, flags);
        if (!found) {
            // Round past the end (or the start) of the page.
            const QTextCursor before = browser_->textCursor();
            QTextCursor from = before;
            from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
            browser_->setTextCursor(from);
            found = browser_->find(text, flags);
            if (!found) browser_->setTextCursor(before);
        }
    }
    searchState_->setText(found ? QString() : QStringLiteral("Not found"));
    QPalette pal = search_->palette();
    pal.setColor(QPalette::Base, found ? palette().color(QPalette::Base) : kNotFoundColor);
    search_->setPalette(pal);
    markMatches();
    return found && !text.isEmpty();
}

void HelpWindow::searchTextChanged() {
    // Typing on refines the match in place instead of jumping past it; a
    // new search starts at the top of the part of the page in view.
    QTextCursor from = browser_->textCursor();
    if (from.hasSelection()) {
        from.setPosition(from.selectionStart());
    } else {
        from = browser_->cursorForPosition(QPoint(0, 0));
    }
    browser_->setTextCursor(from);
    find(false);
}

void HelpWindow::markMatches() {
    QList<QTextEdit::ExtraSelection> marks;
    const QString text = search_->text();
    if (!text.isEmpty()) {
        QTextEdit::ExtraSelection mark;
        mark.format.setBackground(kMatchColor);
        QTextCursor at(browser_->document());
        while (marks.size() < kMaxMarks) {
            at = browser_->document()->find(text, at);
            if (at.isNull()) break;
            mark.cursor = at;
            marks.append(mark);
        }
        const QTextCursor current = browser_->textCursor();
        if (current.hasSelection() && current.selectedText().compare(text, Qt::CaseInsensitive) == 0) {
            mark.cursor = current;
            mark.format.setBackground(kCurrentMatchColor);
            marks.append(mark);
        }
    }
    browser_->setExtraSelections(marks);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kv
