// Draws the program's icon: a radiator giving off heat on a night-blue tile, over a strip of a
// day's program in the colours the editor gives temperatures. The picture is a list of filled
// shapes on a 256-unit square; the same list is written as SVG and painted into every PNG size,
// so that the scalable icon, the PNG icons and the window icon cannot drift apart.
//
// Usage: zeft_icon_generator OUTPUT_DIRECTORY
// Writes icon.svg and icon-16.png, icon-24.png, ... icon-256.png.
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double Canvas = 256.0;
constexpr int Sizes[] = {16, 24, 32, 48, 64, 128, 256};

/// One filled shape: a solid colour, or a vertical gradient from Color to ColorEnd.
struct TShape {
    QPainterPath Path;
    QColor Color;
    QColor ColorEnd;
};

QPainterPath RoundedRect(double x, double y, double width, double height, double radius) {
    QPainterPath path;
    path.addRoundedRect(x, y, width, height, radius, radius);
    return path;
}

QPainterPath HeatWave(double x) {
    QPainterPath wave(QPointF(x, 84));
    wave.cubicTo(x + 13, 76, x + 13, 68, x, 60);
    wave.cubicTo(x - 13, 52, x - 13, 44, x, 36);
    QPainterPathStroker stroker;
    stroker.setWidth(11);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(wave);
}

std::vector<TShape> Picture() {
    std::vector<TShape> shapes;
    const QColor tileTop(30, 66, 138);
    const QColor tileBottom(10, 24, 58);
    shapes.push_back({RoundedRect(16, 16, 224, 224, 44), tileTop, tileBottom});

    // Heat rising from the radiator.
    for (const double x : {88.0, 128.0, 168.0})
        shapes.push_back({HeatWave(x), QColor(255, 77, 0), {}});

    // The radiator: two pipes behind five fins, on two feet.
    const QColor pipe(176, 190, 210);
    const QColor fin(236, 241, 248);
    shapes.push_back({RoundedRect(48, 110, 160, 12, 6), pipe, {}});
    shapes.push_back({RoundedRect(48, 170, 160, 12, 6), pipe, {}});
    shapes.push_back({RoundedRect(62, 186, 12, 14, 3), pipe, {}});
    shapes.push_back({RoundedRect(182, 186, 12, 14, 3), pipe, {}});
    for (int i = 0; i < 5; ++i)
        shapes.push_back({RoundedRect(52 + i * 31, 94, 24, 98, 12), fin, {}});

    // A day's program from cold to warm and back, as the day rows show it.
    shapes.push_back({RoundedRect(36, 206, 184, 20, 6), QColor(244, 246, 250), {}});
    struct TSegment {
        double From, To;
        QColor Color;
    };
    const TSegment day[] = {{40, 76, QColor(24, 52, 115)},
                            {76, 104, QColor(89, 172, 255)},
                            {104, 148, QColor(255, 77, 0)},
                            {148, 184, QColor(255, 0, 0)},
                            {184, 216, QColor(199, 0, 24)}};
    for (const TSegment& segment : day) {
        QPainterPath bar;
        bar.addRect(segment.From, 210, segment.To - segment.From, 12);
        shapes.push_back({bar, segment.Color, {}});
    }
    for (TShape& shape : shapes)
        shape.Path.setFillRule(Qt::WindingFill);
    return shapes;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string result = text;
    while (result.back() == '0')
        result.pop_back();
    if (result.back() == '.')
        result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string Point(const QPainterPath::Element& element) {
    return Number(element.x) + " " + Number(element.y);
}

std::string PathData(const QPainterPath& path) {
    std::string data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            data += (data.empty() ? "M" : "ZM") + Point(element);
            break;
        case QPainterPath::LineToElement:
            data += "L" + Point(element);
            break;
        case QPainterPath::CurveToElement:
            data += "C" + Point(element) + " " + Point(path.elementAt(i + 1)) + " " +
                    Point(path.elementAt(i + 2));
            i += 2;
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return data + "Z";
}

std::string Hex(const QColor& color) {
    return color.name(QColor::HexRgb).toStdString();
}

bool WriteSvg(const std::vector<TShape>& shapes, const std::string& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n";
    int gradient = 0;
    for (const TShape& shape : shapes) {
        std::string fill = Hex(shape.Color);
        if (shape.ColorEnd.isValid()) {
            const QRectF box = shape.Path.boundingRect();
            const std::string id = "g" + std::to_string(gradient++);
            out << "<defs><linearGradient id=\"" << id
                << "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" << Number(box.top())
                << "\" x2=\"0\" y2=\"" << Number(box.bottom()) << "\"><stop offset=\"0\" "
                << "stop-color=\"" << Hex(shape.Color) << "\"/><stop offset=\"1\" stop-color=\""
                << Hex(shape.ColorEnd) << "\"/></linearGradient></defs>\n";
            fill = "url(#" + id + ")";
        }
        out << "<path fill=\"" << fill << "\" d=\"" << PathData(shape.Path) << "\"/>\n";
    }
    out << "</svg>\n";
    return static_cast<bool>(out.flush());
}

QImage Paint(const std::vector<TShape>& shapes, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / Canvas, size / Canvas);
    painter.setPen(Qt::NoPen);
    for (const TShape& shape : shapes) {
        if (shape.ColorEnd.isValid()) {
            const QRectF box = shape.Path.boundingRect();
            QLinearGradient gradient(0, box.top(), 0, box.bottom());
            gradient.setColorAt(0, shape.Color);
            gradient.setColorAt(1, shape.ColorEnd);
            painter.setBrush(gradient);
        } else {
            painter.setBrush(shape.Color);
        }
        painter.drawPath(shape.Path);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zeft_icon_generator OUTPUT_DIRECTORY\n");
        return 2;
    }
    const std::string directory = argv[1];
    const std::vector<TShape> shapes = Picture();
    if (!WriteSvg(shapes, directory + "/icon.svg")) {
        std::fprintf(stderr, "zeft_icon_generator: cannot write %s/icon.svg\n", argv[1]);
        return 1;
    }
    for (const int size : Sizes) {
        const std::string file = directory + "/icon-" + std::to_string(size) + ".png";
        if (!Paint(shapes, size).save(QString::fromStdString(file), "PNG")) {
            std::fprintf(stderr, "zeft_icon_generator: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
