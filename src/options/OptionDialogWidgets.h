#pragma once
// Small pieces that build the controls of the options dialog's pages: every control gets
// its name (objectName) and an accessible name, which is its caption, or its hint when it
// has none, so that screen readers and tests find it.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTabWidget>

#include <string_view>

namespace orvanel::optionwidgets {

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Gives `w` its name and accessible name; returns it.
template <class W>
W* named(W* w, const char* name, const QString& accessibleName)
{
    if (name)
        w->setObjectName(QString::fromLatin1(name));
    w->setAccessibleName(accessibleName);
    return w;
}

// Keeps the controls' own signals from counting as the user's while they follow the values.
struct SyncGuard {
    int& depth;
    explicit SyncGuard(int& d) : depth(d) { ++depth; }
    ~SyncGuard() { --depth; }
};

// Appends a page to `pages`.
inline QWidget* page(QTabWidget* pages, const char* name, const char* caption)
{
    auto* w = new QWidget(pages);
    pages->addTab(named(w, name, QString::fromUtf8(caption)), QString::fromUtf8(caption));
    return w;
}

inline QPushButton* button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setAutoDefault(false);
    return named(b, name, b->text());
}

inline QGroupBox* groupBox(QWidget* parent, const char* caption, const char* name = nullptr)
{
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    return named(box, name, box->title());
}

// A label naming `control`: the control takes the label's text as its accessible name.
inline QLabel* labelFor(QWidget* control, const char* caption)
{
    auto* label = new QLabel(QString::fromUtf8(caption), control->parentWidget());
    label->setBuddy(control);
    control->setAccessibleName(label->text().trimmed());
    return label;
}

} // namespace orvanel::optionwidgets
