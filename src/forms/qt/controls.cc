// The simple controls on Qt: buttons, text boxes, labels, lines and the program's icon.
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <limits>

#include "forms/pixels.h"
#include "forms/qt/peers.h"
#include "forms/qt/widgets.h"

namespace forms::qt {
namespace {

QString ToQString(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

class ButtonPeer : public WidgetPeer<CaptionPeer> {
  public:
    ButtonPeer(CommandButton& button, QPushButton* widget)
        : WidgetPeer(button, widget), button_(widget) {
        QObject::connect(widget, &QPushButton::clicked, context(),
                         [&button] { button.UserClicked(); });
    }
    void SetCaption(const std::string& caption) override { button_->setText(ToQString(caption)); }

  private:
    QPushButton* button_;
};

class TextBoxPeer : public WidgetPeer<TextPeer> {
  public:
    TextBoxPeer(TextBox& box, QLineEdit* widget) : WidgetPeer(box, widget), edit_(widget) {}
    std::string Text() const override { return edit_->text().toStdString(); }
    void SetText(const std::string& text) override { edit_->setText(ToQString(text)); }

  private:
    QLineEdit* edit_;
};

class LabelPeer : public WidgetPeer<CaptionPeer> {
  public:
    LabelPeer(Label& label, QLabel* widget)
        : WidgetPeer(label, widget), label_(widget), label_model_(label) {}

    void SetCaption(const std::string& caption) override {
        label_->setText(ToQString(caption));
        Fit();
    }

    void Fit() {
        const QSize text = label_->sizeHint();
        PlacePixels(label_,
                    FittedLabel(label_model_, {text.width(), text.height()}, TwipsToPixels));
    }

  private:
    QLabel* label_;
    const Label& label_model_;
};

// Fills its rectangle with the line's colour: the rectangle is the line with its pen's width.
class LineWidget : public QFrame {
  public:
    LineWidget(QWidget* parent, QColor colour) : QFrame(parent), colour_(colour) {
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), colour_);
    }

  private:
    QColor colour_;
};

class PlainPeer : public WidgetPeer<ControlPeer> {
  public:
    using WidgetPeer::WidgetPeer;
};

}  // namespace

std::unique_ptr<CaptionPeer> MakeButtonPeer(CommandButton& button, QWidget* window) {
    auto* widget = new QPushButton(ToQString(button.Caption()), window);
    PlaceTwips(widget, button.Place());
    return std::make_unique<ButtonPeer>(button, widget);
}

std::unique_ptr<TextPeer> MakeTextPeer(TextBox& box, QWidget* window) {
    auto* widget = new QLineEdit(ToQString(box.Text()), window);
    PlaceTwips(widget, box.Place());
    // No length limit: QLineEdit would stop at 32,767 characters and drop the rest without a
    // word, so that a pasted password or path would be taken as another than the one pasted.
    widget->setMaxLength(std::numeric_limits<int>::max());
    if (box.IsPassword()) {
        widget->setEchoMode(QLineEdit::Password);
        // The style sheet property sets the style hint that QLineEdit asks for its mask
        // character, whatever the style's own.
        widget->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    }
    return std::make_unique<TextBoxPeer>(box, widget);
}

std::unique_ptr<CaptionPeer> MakeLabelPeer(Label& label, QWidget* window) {
    auto* widget = new QLabel(ToQString(label.Caption()), window);
    PlaceTwips(widget, label.Place());
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget->setWordWrap(label.WordWrap());
    if (const Color* color = label.ForeColor()) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, QColor(color->red, color->green, color->blue));
        widget->setPalette(palette);
    }
    auto peer = std::make_unique<LabelPeer>(label, widget);
    peer->Fit();
    return peer;
}

std::unique_ptr<ControlPeer> MakeLinePeer(Line& line, QWidget* window) {
    const Color color = line.LineColor();
    auto* widget = new LineWidget(window, QColor(color.red, color.green, color.blue));
    PlacePixels(widget, PixelsOfLine(line, TwipsToPixels));
    return std::make_unique<PlainPeer>(line, widget);
}

std::unique_ptr<ControlPeer> MakeImagePeer(Image& image, QWidget* window) {
    auto* widget = new QLabel(window);
    PlaceTwips(widget, image.Place());
    widget->setPixmap(QIcon(QStringLiteral(":/tessarn/tessarn.png")).pixmap(32, 32));
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return std::make_unique<PlainPeer>(image, widget);
}

}  // namespace forms::qt
