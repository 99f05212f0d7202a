// The help window as the screens open it: each page at the topic they ask for, one window for
// all, and pages whose links all lead somewhere.
#include <QDialog>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <functional>

#include "platform/components/aide/composant_aide.h"
#include "tests/support/gui_test.h"

namespace {

class AideTest : public GuiTest {
  protected:
    void TearDown() override {
        if (QTextBrowser* w = Composant_Aide::Instance().window())
            w->close();
        settle();
        GuiTest::TearDown();
    }

    static QTextBrowser* helpWindow() { return qobject_cast<QTextBrowser*>(topLevel("Frm_Aide")); }
};

// Calls back for every fragment of a page's text, with its format.
void eachFragment(const QTextDocument* document,
                  const std::function<void(const QTextFragment&)>& f) {
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it)
            f(it.fragment());
    }
}

TEST_F(AideTest, EachScreenOpensItsPageAtItsTopicInOneWindow) {
    struct Case {
        const char *topic, *kind, *file, *heading;
        bool atTop;
    };
    const Case cases[] = {
        {"Association", "P", "Assoc.htm", "Association", true},
        {"Cotisation de l'association", "S", "AssocEtablissements.htm",
         "Cotisation de l'association", false},
        {"Activités de l'association", "S", "AssocActivites.htm", "Activités de l'association",
         true},
        {"Onglet Personnel", "S", "Assoc.htm", "Onglet Personnel", false},
        {"Sujet inconnu", "S", "AssocActivites.htm", "Activités de l'association", true},
    };
    for (const Case& c : cases) {
        Composant_Aide::Instance().ShowTopic(c.topic, c.kind, c.file);
        waitFor([&] {
            QTextBrowser* shown = helpWindow();
            return shown && shown->source().toString().endsWith(QString::fromLatin1(c.file));
        });
        QTextBrowser* browser = helpWindow();
        ASSERT_NE(browser, nullptr) << c.file;
        EXPECT_TRUE(browser->source().toString().endsWith(QString::fromLatin1(c.file)));
        EXPECT_TRUE(browser->windowTitle().startsWith("Aide MERIDOVAL"));
        EXPECT_EQ(browser->document()->begin().charFormat().fontPointSize(), 16)
            << "the shared style sheet gives the title its size";
        const QString topLine = browser->cursorForPosition(QPoint(10, 8)).block().text().trimmed();
        EXPECT_EQ(topLine, QString::fromUtf8(c.heading)) << c.topic;
        EXPECT_EQ(browser->verticalScrollBar()->value() == 0, c.atTop) << c.topic;
    }
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows += w->objectName() == "Frm_Aide" && w->isVisible();
    EXPECT_EQ(windows, 1);
}

TEST_F(AideTest, AnUnknownPageIsReportedAndOpensNothing) {
    for (const char* notAPage : {"Inconnu.htm", "../CMakeLists.txt", "aide.css"}) {
        answers.expect(QString::fromUtf8("La page d'aide « %1 » n'existe pas.").arg(notAPage),
                       QMessageBox::Warning);
        Composant_Aide::Instance().ShowTopic("Association", "P", notAPage);
        EXPECT_TRUE(answers.waitAnswered()) << notAPage;
    }
    EXPECT_EQ(helpWindow(), nullptr);
}

TEST_F(AideTest, EveryLinkOfThePagesLeadsToAnExistingSection) {
    struct PageLinks {
        QSet<QString> anchors;
        QStringList hrefs;
    };
    QHash<QString, PageLinks> all;
    for (const char* page : {"Assoc.htm", "AssocEtablissements.htm", "AssocActivites.htm"}) {
        QTextBrowser browser;
        browser.setSource(QUrl(Composant_Aide::PageUrl(page)));
        PageLinks& links = all[page];
        eachFragment(browser.document(), [&](const QTextFragment& fragment) {
            for (const QString& name : fragment.charFormat().anchorNames())
                links.anchors.insert(name);
            if (!fragment.charFormat().anchorHref().isEmpty())
                links.hrefs << fragment.charFormat().anchorHref();
        });
        EXPECT_GT(links.anchors.size(), 8) << page;
    }
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        for (const QString& href : it->hrefs) {
            const QString target =
                href.section('#', 0, 0).isEmpty() ? it.key() : href.section('#', 0, 0);
            const QString anchor = href.section('#', 1);
            ASSERT_TRUE(all.contains(target))
                << it.key().toStdString() << " -> " << href.toStdString();
            EXPECT_TRUE(anchor.isEmpty() || all[target].anchors.contains(anchor))
                << it.key().toStdString() << " -> " << href.toStdString();
        }
    }
}

TEST_F(AideTest, HelpOpenedFromAModalWindowTakesTheUsersClicks) {
    QDialog modal;
    bool clicked = false;
    QTimer::singleShot(0, &modal, [&] {
        Composant_Aide::Instance().ShowTopic("Association", "P", "Assoc.htm");
        waitFor([&] { return helpWindow() != nullptr; });
        settle();
        QTextBrowser* browser = helpWindow();
        ASSERT_NE(browser, nullptr);
        QPoint link;
        eachFragment(browser->document(), [&](const QTextFragment& fragment) {
            if (link.isNull() && fragment.charFormat().anchorHref() == "#gestion-cesu") {
                QTextCursor cursor(browser->document());
                cursor.setPosition(fragment.position() + 1);
                link = browser->viewport()->mapTo(browser, browser->cursorRect(cursor).center());
            }
        });
        ASSERT_FALSE(link.isNull());
        // Through the window system, where a modal window blocks the others.
        QTest::mouseClick(browser->windowHandle(), Qt::LeftButton, {}, link);
        clicked = waitFor([&] { return browser->verticalScrollBar()->value() > 0; });
        modal.accept();
    });
    modal.exec();
    EXPECT_TRUE(clicked) << "the link of the help window did not react";
}

}  // namespace
