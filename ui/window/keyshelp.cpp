#include "ui/window/keyshelp.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontMetrics>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace {

// The keys as the menus name them, in the user's language where Qt has it.
QString keys(std::initializer_list<QKeyCombination> combinations)
{
    QStringList names;
    for (const QKeyCombination combination : combinations)
        names << QKeySequence(combination).toString(QKeySequence::NativeText);
    return names.join(QStringLiteral(", "));
}

QString line(const QString& keyNames, const QString& what)
{
    return keyNames + QStringLiteral(" — ") + what;
}

constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Shift = Qt::ShiftModifier;
constexpr auto Alt = Qt::AltModifier;

// A heading is a line with no key.
struct Line {
    QString text;
    bool heading = false;
};

QList<Line> keyLines()
{
    using Qt::Key;
    return {
        {QStringLiteral("Везде в окне"), true},
        // The key is called Enter on every keyboard, whatever Qt calls it.
        {line(QStringLiteral("Enter"), QStringLiteral("нажимает «График» (в поле или области рисунка)"))},
        {line(keys({Key::Key_Escape}), QStringLiteral("нажимает «Отмена»; при рисовании формы — отменяет рисование"))},
        {line(keys({Key::Key_Tab, Shift | Key::Key_Tab}), QStringLiteral("следующий или предыдущий элемент окна"))},
        {line(keys({Ctrl | Key::Key_Z}), QStringLiteral("отменяет последний шаг ряда"))},
        {line(keys({Ctrl | Shift | Key::Key_Z, Ctrl | Key::Key_Y}), QStringLiteral("повторяет отменённый шаг"))},
        {line(keys({Ctrl | Key::Key_Return, Ctrl | Key::Key_Enter}), QStringLiteral("проверяет задание"))},
        {line(keys({Ctrl | Key::Key_O}), QStringLiteral("открывает урок, таблицу или звук из файла"))},
        {line(keys({Ctrl | Key::Key_S}), QStringLiteral("сохраняет урок в его файл"))},
        {line(keys({Ctrl | Shift | Key::Key_S}), QStringLiteral("сохраняет урок в новый файл"))},
        {line(keys({Key::Key_F1}), QStringLiteral("этот список клавиш"))},
        {line(keys({Ctrl | Key::Key_Equal, Ctrl | Key::Key_Plus}), QStringLiteral("окно крупнее, до 200 %"))},
        {line(keys({Ctrl | Key::Key_Minus}), QStringLiteral("окно мельче, до 100 %"))},
        {line(keys({Ctrl | Key::Key_0}), QStringLiteral("окно как в оригинале"))},
        {line(keys({Key::Key_F11}), QStringLiteral("во весь экран; ещё раз — как было"))},
        {QStringLiteral("Поля и полосы прокрутки"), true},
        {line(keys({Key::Key_Up, Key::Key_Down}),
              QStringLiteral("в поле амплитуды или фазы: предыдущее или следующее слагаемое"))},
        {line(keys({Key::Key_PageUp, Key::Key_PageDown}),
              QStringLiteral("на полосе прокрутки: предыдущее или следующее слагаемое"))},
        {QStringLiteral("Обе области рисунков"), true},
        {line(keys({Key::Key_Menu, Shift | Key::Key_F10}), QStringLiteral("открывает меню области"))},
        {line(keys({Key::Key_Space}), QStringLiteral("проигрывает сумму как звук или останавливает звук"))},
        {line(keys({Key::Key_F}), QStringLiteral("показывает или скрывает формулу ряда"))},
        {line(keys({Ctrl | Key::Key_C}), QStringLiteral("копирует рисунок"))},
        {QStringLiteral("График"), true},
        {line(keys({Key::Key_Left, Key::Key_Right}), QStringLiteral("линия чтения на столбец влево или вправо"))},
        {line(keys({Key::Key_PageUp, Key::Key_PageDown}), QStringLiteral("линия чтения на десятую часть периода"))},
        {line(keys({Key::Key_Home, Key::Key_End}), QStringLiteral("линия чтения к началу или к концу графика"))},
        {line(keys({Ctrl | Key::Key_Right, Ctrl | Key::Key_Left}),
              QStringLiteral("следующий или предыдущий максимум или минимум"))},
        {line(keys({Alt | Key::Key_Right, Alt | Key::Key_Left}),
              QStringLiteral("следующее или предыдущее пересечение нуля"))},
        {line(keys({Shift | Key::Key_Right, Shift | Key::Key_Left}), QStringLiteral("следующий или предыдущий скачок"))},
        {line(keys({Ctrl | Shift | Key::Key_Right, Ctrl | Shift | Key::Key_Left}),
              QStringLiteral("следующее или предыдущее наибольшее отклонение от цели"))},
        {line(keys({Alt | Shift | Key::Key_Right, Alt | Shift | Key::Key_Left}),
              QStringLiteral("следующий или предыдущий максимум или минимум цели"))},
        {line(keys({Key::Key_I}), QStringLiteral("вся кривая одним предложением"))},
        {line(keys({Key::Key_1, Key::Key_2, Key::Key_3}),
              QStringLiteral("озвучивание графика длится 2, 4 или 8 секунд"))},
        {line(keys({Key::Key_H}),
              QStringLiteral("озвучивает график; ещё раз — останавливает там, где слышно"))},
        {QStringLiteral("Спектр"), true},
        {line(keys({Key::Key_Left, Key::Key_Right, Key::Key_Home, Key::Key_End}),
              QStringLiteral("выбирает слагаемое"))},
        {line(keys({Ctrl | Key::Key_Right, Ctrl | Key::Key_Left}),
              QStringLiteral("следующее или предыдущее ненулевое слагаемое"))},
        {line(keys({Key::Key_Up, Key::Key_Down, Key::Key_PageUp, Key::Key_PageDown}),
              QStringLiteral("меняет амплитуду выбранного слагаемого и строит график"))},
        {line(keys({Shift | Key::Key_Up, Shift | Key::Key_Down}), QStringLiteral("меняет её мельче"))},
        {line(keys({Key::Key_Delete}), QStringLiteral("делает её нулём"))},
        {line(keys({Key::Key_I}), QStringLiteral("называет ненулевые слагаемые и наибольшее"))},
        {line(keys({Key::Key_S, Shift | Key::Key_S}),
              QStringLiteral("выбранная гармоника отдельно или сумма без неё; ещё раз — тишина"))},
        {line(keys({Ctrl | Shift | Key::Key_C}), QStringLiteral("копирует слагаемые таблицей"))},
        {line(keys({Ctrl | Key::Key_V}), QStringLiteral("вставляет таблицу слагаемых"))},
    };
}

} // namespace

KeysHelp::KeysHelp(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    auto* open = new QAction(window);
    open->setShortcut(QKeySequence(Qt::Key_F1));
    open->setShortcutContext(Qt::WindowShortcut);
    connect(open, &QAction::triggered, this, &KeysHelp::show);
    window->addAction(open);
}

QStringList KeysHelp::lines()
{
    QStringList texts;
    for (const Line& each : keyLines())
        texts << each.text;
    return texts;
}

void KeysHelp::show()
{
    if (!m_dialog) {
        m_dialog = new QDialog(m_window);
        m_dialog->setWindowTitle(QStringLiteral("Клавиши"));
        auto* list = new QListWidget(m_dialog);
        list->setAccessibleName(QStringLiteral("Клавиши"));
        QFont bold = list->font();
        bold.setBold(true);
        int widest = 0;
        for (const Line& each : keyLines()) {
            auto* item = new QListWidgetItem(each.text, list);
            if (each.heading)
                item->setFont(bold);
            widest = std::max(widest, QFontMetrics(item->font()).horizontalAdvance(each.text));
        }
        list->setCurrentRow(0);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_dialog);
        buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
        connect(buttons, &QDialogButtonBox::rejected, m_dialog, &QDialog::reject);
        auto* layout = new QVBoxLayout(m_dialog);
        layout->addWidget(list);
        layout->addWidget(buttons);
        // Every line whole, beside the scroll bar.
        const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        list->setMinimumWidth(widest + scrollBar + 2 * list->frameWidth() + 16);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_dialog->resize(m_dialog->sizeHint().width(), 480);
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}
