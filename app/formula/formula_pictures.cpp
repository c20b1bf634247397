// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// zembrel-formula-pictures: draws a sheet of sample formulas, as the 解题详情
// window would lay them out, at 100 % and at 200 %, for the documentation and
// for a look at the layout. The fonts are the window's; a fontconfig file
// chooses among them:
//   QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE=tests/gui/fonts/uming.conf
//       build/app/formula/zembrel-formula-pictures docs/formulas uming
// writes docs/formulas/uming-100.png and docs/formulas/uming-200.png.

#include "fonts.h"
#include "formula_layout.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <array>

namespace {

using namespace zembrel::engine;
using zembrel::formula::Run;

// A sample: its runs, and the width it is arranged to (0: one line).
struct Sample {
    std::vector<Run> runs;
    qreal width = 0;
};

FormulaPtr x(const char* subscript = "") { return Sym("x", subscript); }

std::vector<Sample> samples()
{
    const FormulaPtr a = Sym("a");
    const FormulaPtr b = Sym("b");
    const FormulaPtr c = Sym("c");
    const FormulaPtr delta = Sym(symbol::kDelta);
    const FormulaPtr q = Sym("q");
    const FormulaPtr p = Sym("p");
    const FormulaPtr halfQ = Frac(q, Int(2));
    const FormulaPtr cardano = RootOf(Add(Neg(halfQ), Sqrt(Add(Pow(halfQ, 2), Pow(Frac(p, Int(3)), 3)))), 3);
    const FormulaPtr discriminant = ChainOf(
        Sub(Pow(b, 2), Mul({Int(4), a, c})),
        {{Relation::Equal, Sub(Pow(Neg(Int(3)), 2), Times({Int(4), Int(1), Int(1)}))}, {Relation::Equal, Int(5)}});
    return {
        {{QStringLiteral("由求根公式 "), Eq(x(), Frac(PlusMinusOf(Neg(b), Sqrt(delta)), Mul({Int(2), a})))}},
        {{Eq(delta, discriminant)}},
        {{ListOf({ChainOf(x("1"), {{Relation::Equal, Frac(Sub(Int(3), Sqrt(Int(5))), Int(2))},
                                   {Relation::Approx, Dec("0.381966011250105")}}),
                  ChainOf(x("2"), {{Relation::Equal, Frac(Add(Int(3), Sqrt(Int(5))), Int(2))},
                                   {Relation::Approx, Dec("2.61803398874989")}})})}},
        {{QStringLiteral("根与系数的关系："),
          ListOf({ChainOf(Add(x("1"), x("2")), {{Relation::Equal, Neg(Frac(b, a))}, {Relation::Equal, Int(3)}}),
                  ChainOf(Mul({x("1"), x("2")}), {{Relation::Equal, Frac(c, a)}, {Relation::Equal, Int(1)}})})}},
        {{Eq(x(), PlusMinusOf(Frac(Int(3), Int(2)), Mul({Frac(Sqrt(Int(3)), Int(2)), Sym(symbol::kImaginaryUnit)})))}},
        {{Eq(Sym("u"), cardano)}},
        {{ChainOf(Sym("D"), {{Relation::Equal, MatrixOf({{Int(2), Int(3)}, {Int(1), Neg(Int(1))}}, true)},
                             {Relation::Equal, Sub(Times({Int(2), Neg(Int(1))}), Times({Int(3), Int(1)}))},
                             {Relation::Equal, Neg(Int(5))}})}},
        {{Eq(Sym("D", "x"), MatrixOf({{Frac(Int(1), Int(2)), Int(3)}, {Neg(Int(7)), Pow(x(), 2)}}, true))}},
        {{CasesOf({Eq(Add(Mul({Int(2), x()}), Mul({Int(3), Sym("y")})), Int(1)), Eq(Sub(x(), Sym("y")), Neg(Int(7)))}),
          QStringLiteral("的解为"), CasesOf({Eq(x(), Neg(Frac(Int(4), Int(1)))), Eq(Sym("y"), Int(3))})}},
        {{Eq(Sym("A"),
             MatrixOf({{Int(1), Int(0), Neg(Int(2))}, {Frac(Int(1), Int(3)), Int(4), Sqrt(Int(2))}}, false))}},
        {{OrOf({Rel(x(), Relation::Less, Neg(Int(1))), Rel(x(), Relation::GreaterEqual, Frac(Int(5), Int(2)))}),
          QStringLiteral("，即 "),
          UnionOf({IntervalOf(nullptr, Neg(Int(1)), false, false),
                   IntervalOf(Frac(Int(5), Int(2)), nullptr, true, false)})}},
        {{AndOf({Rel(x(), Relation::Greater, Neg(Int(1))), Rel(x(), Relation::NotEqual, Int(0))})}},
        {{Eq(Sym(symbol::kTheta),
             Frac(Func("arccos", Mul({Neg(Frac(q, Int(2))), Sqrt(Pow(Frac(Int(3), Neg(p)), 3))})), Int(3)))}},
        {{Eq(Add(Sub(Pow(x(), 2), Mul({Dec("2.8"), x()})), Dec("0.49")), Int(0)), QStringLiteral("，"),
          Rel(Sym("k"), Relation::Approx, Dec("1.5", -11))}},
        {{Eq(Pow(x("1"), 2), Pow(Frac(Sub(Int(3), Sqrt(Int(5))), Int(2)), 2))}},
        {{Eq(delta, discriminant)}, 220},
        {{Eq(Sym("f"), Add(Sub(Add(Sub(Pow(x(), 5), Mul({Int(3), Pow(x(), 4)})), Mul({Int(7), Pow(x(), 3)})),
                               Mul({Int(12), Pow(x(), 2)})),
                           Frac(Int(1), Int(7))))},
         170},
        {{QStringLiteral("由求根公式 "), Eq(x(), Frac(PlusMinusOf(Neg(b), Sqrt(delta)), Mul({Int(2), a}))),
          QStringLiteral(" 得方程的两个根，它们的和与积分别是 "), Neg(Frac(b, a)), QStringLiteral(" 和 "), Frac(c, a)},
         260},
    };
}

bool draw(const QString& path, qreal ratio, const QFont& font)
{
    constexpr int kWidth = 560;
    constexpr int kMargin = 16;
    constexpr int kGap = 14;
    std::vector<zembrel::formula::FormulaLayout> layouts;
    qreal height = kMargin;
    for (const Sample& sample : samples()) {
        layouts.emplace_back(sample.runs, font, ratio);
        layouts.back().arrange(sample.width > 0 ? sample.width : kWidth - 2 * kMargin);
        height += layouts.back().size().height() + kGap;
    }
    QImage image(QSize(kWidth, static_cast<int>(height) + kMargin) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    qreal y = kMargin;
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        // A narrow sample shows its width as a faint frame.
        if (const qreal width = samples()[i].width; width > 0) {
            painter.setPen(QColor(0xdd, 0xdd, 0xdd));
            painter.drawRect(QRectF(kMargin - 1, y - 1, width + 2, layouts[i].size().height() + 2));
        }
        painter.setPen(Qt::black);
        layouts[i].paint(painter, QPointF(kMargin, y));
        y += layouts[i].size().height() + kGap;
    }
    painter.end();
    return image.save(path);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage: zembrel-formula-pictures DIRECTORY NAME\n";
        return 2;
    }
    const QFont font = zembrel::songFont({12, false});
    const QDir directory(arguments.at(1));
    for (const int percent : {100, 200}) {
        const QString path = directory.filePath(QStringLiteral("%1-%2.png").arg(arguments.at(2)).arg(percent));
        if (!draw(path, percent / 100.0, font)) {
            QTextStream(stderr) << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
