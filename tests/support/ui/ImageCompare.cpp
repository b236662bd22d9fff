#include "tests/support/ui/ImageCompare.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

constexpr double kMaxCoverageDelta = 0.01;
constexpr double kMaxMeanDelta = 1.5;
constexpr int kPlainDelta = 32;
constexpr int kMaxPatch = 3;

int ChannelDelta(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

// The largest group of touching (8-neighbour) pixels marked in `plain`.
int LargestPatch(std::vector<char> plain, int width, int height)
{
    int largest = 0;
    std::vector<int> stack;
    for (int start = 0; start < width * height; ++start) {
        if (!plain[std::size_t(start)])
            continue;
        int size = 0;
        plain[std::size_t(start)] = 0;
        stack.push_back(start);
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            ++size;
            const int x = at % width, y = at / width;
            for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny)
                for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx)
                    if (plain[std::size_t(ny * width + nx)]) {
                        plain[std::size_t(ny * width + nx)] = 0;
                        stack.push_back(ny * width + nx);
                    }
        }
        largest = std::max(largest, size);
    }
    return largest;
}

} // namespace

QString ImageMismatch(const QImage& expected, const QImage& actual)
{
    if (expected.size() != actual.size() || expected.isNull())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    // Premultiplied, so the colour of a transparent pixel does not count.
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = a.width(), height = a.height();
    double alphaA = 0, alphaB = 0;
    double delta[4] = {}; // per channel: red, green, blue, alpha
    std::vector<char> plain(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            alphaA += qAlpha(lineA[x]);
            alphaB += qAlpha(lineB[x]);
            delta[0] += std::abs(qRed(lineA[x]) - qRed(lineB[x]));
            delta[1] += std::abs(qGreen(lineA[x]) - qGreen(lineB[x]));
            delta[2] += std::abs(qBlue(lineA[x]) - qBlue(lineB[x]));
            delta[3] += std::abs(qAlpha(lineA[x]) - qAlpha(lineB[x]));
            plain[std::size_t(y * width + x)] = ChannelDelta(lineA[x], lineB[x]) > kPlainDelta;
        }
    }
    const double pixels = double(width) * height;
    const double coverageDelta = std::abs(alphaA - alphaB) / (255 * pixels);
    const double meanDelta = *std::max_element(std::begin(delta), std::end(delta)) / pixels;
    const int patch = LargestPatch(std::move(plain), width, height);
    if (coverageDelta <= kMaxCoverageDelta && meanDelta <= kMaxMeanDelta && patch <= kMaxPatch)
        return {};
    return QStringLiteral("coverage differs by %1 %, mean difference %2 levels in a channel, "
                          "%3 touching pixels differ plainly")
        .arg(coverageDelta * 100, 0, 'f', 2)
        .arg(meanDelta, 0, 'f', 2)
        .arg(patch);
}
