// The whole recalculation and chart feed on arbitrary field texts and spin
// values: no crash, no undefined behaviour, no infinite or NaN bar value,
// and every cell either rewritten with a number text or left as it was.
#include "calc/gearing.h"
#include "calc/tests/fake_gear_window.h"
#include "core/decimal.h"
#include "core/errors.h"
#include "core/fuzz/fuzz_check.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

// The fake window, checking what the arithmetic writes: every cell text
// parses as a number, every bar lies in a series 1..3 and is finite.
struct Window : FakeGearWindow
{
    QChar sep = u'.';

    void setGearInches(calc::Chainring r, int row, const QString &t) override
    {
        check(core::parseDecimal(t, sep).has_value());
        FakeGearWindow::setGearInches(r, row, t);
    }
    void setSpeed(calc::Chainring r, int row, const QString &t) override
    {
        check(core::parseDecimal(t, sep).has_value());
        FakeGearWindow::setSpeed(r, row, t);
    }
    void clearSeries(int s) override { check(s >= 1 && s <= 3); }
    void addBar(int s, double start, double end, double y) override
    {
        check(s >= 1 && s <= 3 && std::isfinite(start) && std::isfinite(end) && std::isfinite(y));
    }
};

struct Reader
{
    const uint8_t *data;
    size_t size;
    int takeInt()
    {
        int32_t v = 0;
        const size_t n = std::min(size, sizeof v);
        std::memcpy(&v, data, n);
        data += n;
        size -= n;
        return v;
    }
    QString takeText()
    {
        if (size == 0)
            return {};
        const size_t n = std::min<size_t>(data[0] % 8, size - 1);
        QString t = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(n));
        data += n + 1;
        size -= n + 1;
        return t;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader in{data, size};
    Window w;
    w.sep = (in.takeInt() & 1) ? u',' : u'.';
    w.circ = in.takeInt();
    w.cad = in.takeInt();
    w.unit = in.takeInt() & 1;
    w.minCad = in.takeInt();
    w.maxCad = in.takeInt();
    for (auto &r : w.rings)
        r = in.takeText();
    for (auto &s : w.sprockets)
        s = in.takeText();
    try {
        calc::recalculate(w, w, w, w.sep);
    } catch (const core::MathError &) {
        // The chart feed's cadence ratio: a cadence of 0.
        check(w.cad == 0);
    }
    return 0;
}
