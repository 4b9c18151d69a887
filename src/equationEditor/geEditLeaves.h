// The leaves of the editor tree: the placeholder "?", numbers and one-letter variables.
#pragma once

#include <QPointF>
#include <QRectF>

#include "equationEditor/geEdit.h"

// The empty placeholder, shown as "?". Holding the cursor it is where typing goes.
class geEditEmpty : public geEdit {
public:
    static geEditPtr emptyExpression();

    geEditKind kind() const override { return geEditKind::Empty; }
    const char *className() const override { return "geEditEmpty"; }

    bool isTerminal() const override { return true; }
    bool acceptsPower() const override { return true; }
    bool containsEmpty() const override { return true; }
    bool containsVariable() const override { return false; }
    geEditPtr leftMostExpression() override { return shared_from_this(); }
    geEditPtr rightMostExpression() override { return shared_from_this(); }
    geEditPtr copy() const override { return emptyExpression(); }

    grExp *makeExp() const override { return nullptr; }
    Calculation calculateValue() const override { return {Calculation::Blocked, 0.0}; }
    QString string() const override { return QStringLiteral("?"); }

    geEditPtr cursorEnterFromLeft() override { return holdCursor(); }
    geEditPtr cursorEnterFromRight() override { return holdCursor(); }

    geEditPtr keyDown(char16_t key) override;
    geEditPtr deleteNode() override;

    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
    // Refreshes the cached glyph of "?" and the metrics for font.
    void updateGlyphForFont(const geFont &font);

private:
    quint32 glyph_ = 0;
    double glyphAdvance_ = 0, asc_ = 0, desc_ = 0;
    quint64 lastFont_ = 0;  // serial of the font of the cache, 0 for none
};

// A number typed as text: digits and at most one ".". The cursor stands before the
// character at cursorPosition ("1|2" is position 1); [startSelection, endSelection) is a
// selected range of characters, empty when start equals end.
class geEditNum : public geEdit {
public:
    // The text is stored with a "0" in front when it begins with "."; the cursor is put at
    // the given text's length minus 1.
    static geEditPtr numWithString(const QString &text);

    geEditKind kind() const override { return geEditKind::Num; }
    const char *className() const override { return "geEditNum"; }

    // The number's own text (`string` of the number, also its text form).
    const QString &text() const { return text_; }
    void setString(const QString &text);
    double number() const;
    QString selectedString() const;
    bool hasSelectedRange() const { return startSelection_ < endSelection_; }
    void setSelectedRange(int start, int end);
    void setIsSelected(bool flag) override;

    bool isTerminal() const override { return true; }
    bool acceptsPower() const override { return true; }
    bool containsEmpty() const override { return false; }
    bool containsVariable() const override { return false; }
    geEditPtr leftMostExpression() override { return shared_from_this(); }
    geEditPtr rightMostExpression() override { return shared_from_this(); }
    geEditPtr copy() const override { return numWithString(text_); }

    grExp *makeExp() const override;
    Calculation calculateValue() const override { return {Calculation::Value, value_}; }
    // A number whose digits were all deleted is the point alone, worth 0: written "0.",
    // since the text reader refuses a point with no digits.
    QString string() const override { return text_ == u"." ? QStringLiteral("0.") : text_; }
    std::optional<QString> mulString() const override { return text_; }

    geEditPtr cursorEnterFromLeft() override;
    geEditPtr cursorEnterFromRight() override;

    geEditPtr keyDown(char16_t key) override;
    geEditPtr deleteNode() override;

    // Layout in the font passed in, upright; the caret stands before character
    // cursorPosition, and a partial selection gets a box of its own.
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
    // Hit testing between a layout and the next click or drag. The character position at
    // p, in the coordinates of the laid-out box: left of a character's middle is before it.
    int positionAtPoint(QPointF p, const geFont &font) const;
    // u in unit coordinates of the laid-out box (0..1 across and up): sets cursorPosition.
    void clickOnPoint(QPointF u, const geFont &font);
    // Selects from cursorPosition, the anchor, to u; back at the anchor, a plain caret.
    void dragToPoint(QPointF u, const geFont &font);
    // The translation that layout's last recentre applied, and the laid-out box.
    QPointF offset() const { return offset_; }
    QRectF bounds() const { return bounds_; }

private:
    void insertChar(char16_t c);
    geEditPtr insertOperator(char16_t op);
    void clearSelectedRange() { startSelection_ = endSelection_ = 0; }
    // Keeps value_ in step with the text after every change of it.
    void textChanged();

    QString text_;
    double value_ = 0.0;
    QPointF offset_;
    QRectF bounds_;
};

// A one-letter variable or constant; pi is the single character U+03C0.
class geEditVar : public geEdit {
public:
    // Null when recognizesChar refuses the character.
    static geEditPtr varWithChar(char16_t c);
    static bool recognizesChar(char16_t c) { return geIsLetter(c); }
    // A variable holding text as its string, as an archive restores it (letter stays 0).
    static geEditPtr varWithString(const QString &text);

    geEditKind kind() const override { return geEditKind::Var; }
    const char *className() const override { return "geEditVar"; }

    // The one-character string (`string` of the variable; its text form differs for pi).
    const QString &text() const { return text_; }
    char16_t letter() const { return letter_; }

    bool isTerminal() const override { return true; }
    bool acceptsPower() const override { return true; }
    bool containsEmpty() const override { return false; }
    bool containsVariable() const override;
    geEditPtr leftMostExpression() override { return shared_from_this(); }
    geEditPtr rightMostExpression() override { return shared_from_this(); }
    geEditPtr copy() const override;

    grExp *makeExp() const override;
    Calculation calculateValue() const override;
    QString string() const override;
    std::optional<QString> mulString() const override { return text_; }
    geEditPtr mulExpression() override;
    bool replaceStringWithFunction(const QStringList &, geEditPtr &) override { return false; }

    geEditPtr cursorEnterFromLeft() override { return holdCursor(); }
    geEditPtr cursorEnterFromRight() override { return holdCursor(); }

    geEditPtr keyDown(char16_t key) override;

    // The letter with the caret at its right edge.
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
    // Refreshes the cached glyph and advance for font.
    void updateGlyphForFont(const geFont &font);

private:
    QString text_;
    char16_t letter_ = 0;
    quint32 glyph_ = 0;
    double glyphAdvance_ = 0;  // of the whole text
    quint64 lastFont_ = 0;     // serial of the font of the cache, 0 for none
};
