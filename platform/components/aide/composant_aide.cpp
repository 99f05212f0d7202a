#include "composant_aide.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"

namespace {

const QString kResourceDir = QStringLiteral(":/aide/");

// Anchor names are found on the fragments of the laid-out document: QTextDocument keeps no index.
int anchorPosition(const QTextDocument* document, const QString& name) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().anchorNames().contains(name))
                return fragment.position();
        }
    }
    return -1;
}

// A heading whose text is the topic, for pages whose anchors were named otherwise.
int headingPosition(const QTextDocument* document, const QString& topic) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 &&
            block.text().trimmed().compare(topic.trimmed(), Qt::CaseInsensitive) == 0)
            return block.position();
    }
    return -1;
}

class FenetreAide : public QTextBrowser {
  public:
    explicit FenetreAide(QWidget* owner) : QTextBrowser(owner) {
        setWindowFlag(Qt::Window);
        setObjectName(QStringLiteral("Frm_Aide"));
        setAttribute(Qt::WA_DeleteOnClose);
        // Help left open must not keep the application running once its screens are closed.
        setAttribute(Qt::WA_QuitOnClose, false);
        setOpenLinks(true);
        setOpenExternalLinks(false);
        resize(760, 560);
        // The pages share one style, kept beside them rather than repeated in each.
        QFile style(kResourceDir + QStringLiteral("aide.css"));
        if (style.open(QIODevice::ReadOnly))
            document()->setDefaultStyleSheet(QString::fromUtf8(style.readAll()));
        connect(this, &QTextBrowser::sourceChanged, this, [this] {
            setWindowTitle(QStringLiteral("Aide MERIDOVAL - %1").arg(documentTitle()));
        });
    }
};

}  // namespace

struct Composant_Aide::Impl {
    std::shared_ptr<store::Client> client;
    std::shared_ptr<store::Database> database;
    QPointer<FenetreAide> window;

    // Puts the block holding position at the top of the view.
    static void scrollTo(QTextBrowser* browser, int position) {
        QTextCursor cursor(browser->document());
        cursor.setPosition(position);
        browser->setTextCursor(cursor);
        const QRectF rect =
            browser->document()->documentLayout()->blockBoundingRect(cursor.block());
        // The first block sits below the document margin: its top is the page top.
        const bool first = cursor.block() == browser->document()->begin();
        browser->verticalScrollBar()->setValue(first ? 0 : static_cast<int>(rect.top()));
    }

    // A page topic naming the page itself shows it from its top; any other topic scrolls to its
    // section, or to the top when the page has none.
    void showTopic(const QString& topic, const std::string& kind) {
        if (!window)
            return;
        const QTextDocument* document = window->document();
        int position = -1;
        if (kind != "P" || topic.compare(window->documentTitle(), Qt::CaseInsensitive) != 0) {
            position = anchorPosition(document, AnchorFor(topic));
            if (position < 0)
                position = headingPosition(document, topic);
        }
        scrollTo(window, std::max(position, 0));
    }
};

Composant_Aide& Composant_Aide::Instance() {
    static Composant_Aide instance;
    return instance;
}

Composant_Aide::Composant_Aide() : impl_(std::make_unique<Impl>()) {}

Composant_Aide::~Composant_Aide() = default;

void Composant_Aide::SetClient(std::shared_ptr<store::Client> client) {
    impl_->client = std::move(client);
}

void Composant_Aide::SetDatabase(std::shared_ptr<store::Database> database) {
    impl_->database = std::move(database);
}

QTextBrowser* Composant_Aide::window() const {
    return impl_->window.data();
}

QString Composant_Aide::PageUrl(const std::string& file) {
    const QString name = toolkit::toQ(file).trimmed();
    // Only plain page names: the help folder is the only place pages come from.
    if (!name.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive) ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        !QFile::exists(kResourceDir + name))
        return {};
    return QStringLiteral("qrc:/aide/") + name;
}

QString Composant_Aide::AnchorFor(const QString& title) {
    const QString plain = title.normalized(QString::NormalizationForm_D).toLower();
    QString anchor;
    bool pendingDash = false;
    for (QChar c : plain) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c.isLetterOrNumber() && c.unicode() < 128) {
            if (pendingDash && !anchor.isEmpty())
                anchor += QLatin1Char('-');
            anchor += c;
            pendingDash = false;
        } else {
            pendingDash = true;
        }
    }
    return anchor;
}

void Composant_Aide::ShowTopic(const std::string& topic, const std::string& kind,
                               const std::string& file) {
    const QString url = PageUrl(file);
    if (url.isEmpty()) {
        toolkit::MsgBox(
            QStringLiteral("La page d'aide « %1 » n'existe pas.").arg(toolkit::toQ(file)),
            toolkit::Icon::Exclamation);
        return;
    }
    // Opened from a modal window (establishments, activities), the help window must belong to
    // it, or the modality would block it until that window closes.
    QWidget* owner = QApplication::activeModalWidget();
    if (!impl_->window) {
        impl_->window = new FenetreAide(owner);
    } else if (impl_->window->parentWidget() != owner) {
        const QRect geometry = impl_->window->geometry();
        impl_->window->setParent(owner, Qt::Window);
        impl_->window->setGeometry(geometry);
    }
    FenetreAide* window = impl_->window;
    // A window already on screen has its layout and finds the topic at once; one shown now
    // settles after this call, so the search waits for it.
    const bool dejaAffichee = window->isVisible();
    if (window->source() != QUrl(url))
        window->setSource(QUrl(url));
    window->show();
    window->raise();
    window->activateWindow();
    const QString wanted = toolkit::toQ(topic);
    if (dejaAffichee)
        impl_->showTopic(wanted, kind);
    else
        QTimer::singleShot(0, window,
                           [impl = impl_.get(), wanted, kind] { impl->showTopic(wanted, kind); });
}
