// The document: files read and written, the modified state, and the list's undo history,
// without a window.
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/graphEquationDocument.h"
#include "appTestSupport.h"
#include "damagedSets.h"

using namespace appTest;

namespace {

class EquationDocument : public AppTest {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray contents(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Names and colours of the entries, the selected row last.
    std::string shown() const {
        std::string out;
        for (const auto &e : document.table().equations())
            out += e->name().toStdString() + ":" + e->color().name().toStdString() + " ";
        return out + std::to_string(document.table().selectedRow());
    }
    QTemporaryDir dir;
    graphEquationDocument document;
};

TEST_F(EquationDocument, DamagedAndSpecialFilesAreRefusedWithTheirReason) {
    document.table().equations()[0]->setEquation(typed("y=x"));
    const QByteArray good = slArchiver::archivedDataWithRootObject(document.table());
    for (const damagedSets::damagedFile &file : damagedSets::make(dir, good)) {
        SCOPED_TRACE(file.name);
        const graphEquationDocument::readResult read = graphEquationDocument::readFile(file.path);
        EXPECT_EQ(read.table, nullptr);
        EXPECT_TRUE(read.reason.contains(QString::fromLatin1(file.reason)))
            << read.reason.toStdString();
        EXPECT_FALSE(read.reason.contains('\n'));
    }
}

// The title's mark and the unsaved-changes question follow the history back to the state
// last saved, at once.
TEST_F(EquationDocument, ModifiedFollowsTheHistoryToTheSavedState) {
    QSignalSpy changes(&document, &graphEquationDocument::modifiedChanged);
    struct step {
        const char *name;
        std::function<void()> act;
        bool modified;
    };
    const step steps[] = {
        {"new", [] {}, false},
        {"add", [&] { document.addEquation(); }, true},
        {"undo", [&] { document.undoStack().undo(); }, false},
        {"redo", [&] { document.undoStack().redo(); }, true},
        {"save", [&] { ASSERT_EQ(document.saveAs(path("set.plw")), ""); }, false},
        {"rename", [&] { document.renameEquation(0, "line"); }, true},
        {"undo to the save", [&] { document.undoStack().undo(); }, false},
        {"undo past the save", [&] { document.undoStack().undo(); }, true},
        {"redo to the save", [&] { document.undoStack().redo(); }, false},
        {"renaming to the same name", [&] { document.renameEquation(0, "Equation 1"); }, false},
    };
    bool last = false;
    int expectedSignals = 0;
    for (const step &s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        EXPECT_EQ(document.isModified(), s.modified);
        if (s.modified != last) expectedSignals++;
        last = s.modified;
        ASSERT_EQ(changes.size(), expectedSignals);
        if (expectedSignals > 0) {
            EXPECT_EQ(changes.last().value(0).toBool(), s.modified);
        }
    }
    // Changes the user discarded are not asked about again until the next edit.
    document.addEquation();
    document.discardChanges();
    EXPECT_TRUE(document.changesDiscarded());
    document.deleteEquation();
    EXPECT_FALSE(document.changesDiscarded());
}

TEST_F(EquationDocument, ListEditsAreUndoneAndRedone) {
    struct edit {
        const char *name;
        int row;  // selected before the edit
        std::function<void()> act;
    };
    const edit edits[] = {
        {"add", 0, [&] { document.addEquation(); }},
        {"rename", 1, [&] { document.renameEquation(1, "parabola"); }},
        {"recolour", 1, [&] { document.recolorEquation(Qt::blue); }},
        {"delete", 0, [&] { document.deleteEquation(); }},
    };
    for (const edit &e : edits) {
        SCOPED_TRACE(e.name);
        document.table().selectRow(e.row);
        const std::string before = shown();
        e.act();
        const std::string after = shown();
        ASSERT_NE(after, before);
        document.undoStack().undo();
        EXPECT_EQ(shown(), before);
        document.undoStack().redo();
        EXPECT_EQ(shown(), after);
    }
    EXPECT_EQ(shown(), "parabola:#0000ff 0");
    // The last entry is never deleted, and a refused edit is no step of the history.
    const int steps = document.undoStack().count();
    document.deleteEquation();
    document.recolorEquation(Qt::blue);
    EXPECT_EQ(document.undoStack().count(), steps);
}

TEST_F(EquationDocument, SavedSetsReadBackAndFailedSavesChangeNothing) {
    document.table().equations()[0]->setEquation(typed("y=x^2"));
    document.addEquation();
    const QString saved = path("set.plw");
    ASSERT_EQ(document.saveAs(saved), "");
    EXPECT_EQ(document.path(), saved);
    const graphEquationDocument::readResult read = graphEquationDocument::readFile(saved);
    ASSERT_NE(read.table, nullptr) << read.reason.toStdString();
    EXPECT_EQ(read.table->equationCount(), 2);
    graphEquationDocument opened(read.table, saved);
    EXPECT_FALSE(opened.isModified());
    EXPECT_EQ(opened.path(), saved);

    document.addEquation();
    const QByteArray before = contents(saved);
    for (const QString &target : {path("missing/set.plw"), dir.path(), path("graph.png")}) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_NE(document.saveAs(target), "");
        EXPECT_EQ(document.path(), saved);
        EXPECT_TRUE(document.isModified());
    }
    EXPECT_EQ(contents(saved), before);
    EXPECT_FALSE(QFile::exists(path("graph.png")));
}

}  // namespace
