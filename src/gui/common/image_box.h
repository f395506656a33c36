#pragma once
// A paint box: shows an off-screen image in one piece (nothing flickers)
// and hands mouse presses and moves, in image coordinates, to its owner.

#include <QImage>
#include <QWidget>
#include <functional>

namespace kv {

class ImageBox : public QWidget {
    Q_OBJECT
  public:
    explicit ImageBox(QWidget* parent);

    // Shows the image (copied; Qt shares the pixels until either changes).
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> onMouseDown;
    std::function<void(Qt::MouseButton, int x, int y)> onMouseUp;
    std::function<void(Qt::MouseButtons, int x, int y)> onMouseMove;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QImage image_;
};

}  // namespace kv
