// The EQ graph's display model: the response of every EQ point and crossover of a module on a
// fixed 463-point logarithmic grid, and their sum. Shapes come from second- and first-order
// sections designed at a normalised centre of pi/2 and shifted to each point's frequency.
#pragma once

#include <array>
#include <cstdint>

namespace mz3 {

constexpr int CurveSteps = 462;  // grid points 0..462, 10 Hz .. 24000 Hz
constexpr double SpanDecades = 3.380211241711606;
constexpr int kMaxEqPoints = 22;

using Curve = std::array<float, CurveSteps + 1>;

struct EQPoint {
    int32_t Kind = 0;  // 0..3 EQ types; 100 + t high-pass, 200 + t low-pass crossover
    float Freq = 1000.0f;
    float Gain = 0.0f;
    float Q = 1.0f;
};

// Read access to PanelValues by panel address (module x 256 + slot).
class PanelValueReader {
public:
    virtual ~PanelValueReader() = default;
    virtual int panelValue(int moduleAddr) const = 0;
};

// Where a module's EQ points and crossover slots lie.
struct EqModuleLayout {
    int module;
    int points;
    int firstSlot;
    int stride;      // slots per point
    int hpTypeSlot;  // -1: no crossover; the frequency index is in the next slot
    int lpTypeSlot;
};

// The layout of a panel module, or null for a module without a point list.
const EqModuleLayout* eqLayoutFor(int module);

// Grid point (real) of a frequency in Hz.
double gridPointOf(double frequency);

class FilterResponse {
public:
    FilterResponse();

    // Fills EQPointList from the panel values; index 100 loads every entry. Returns
    // (n - 1) + 100 x c, c = 2 with a crossover, 0 without; -1 for a module without a list.
    // auxFirstGroupActive picks module 21's active group of three points.
    int LoadEQPoints(int index, int module, const PanelValueReader& values,
                     bool auxFirstGroupActive = true);

    // One point's curve: frequency rounded to whole Hz, then the shape of kind/gain/q placed
    // with its middle at that frequency.
    void PointResponse(Curve& curve, float frequency, int kind, float gain, float q);
    // Recomputes ResponseCurve[index] from EQPointList[index].
    void computeEntry(int index);

    // TotalCurve = sum of the curves 0..lastIndex (module 21: entries of Kind 0 left out).
    const Curve& SumCurves(int module, int lastIndex);

    // Q values of the five largest table entries are reduced before the design.
    static float adjustQ(float q);

    std::array<EQPoint, kMaxEqPoints> EQPointList{};
    std::array<Curve, kMaxEqPoints> ResponseCurve{};
    Curve TotalCurve{};

private:
    enum class Grid { Linear, Shelf, Crossover };
    struct Biquad {
        float b0, b1, b2, a0, a1, a2;
    };

    void shapeOf(const Biquad& q, Grid grid, bool lowPass, Curve& out) const;
    void crossoverShape(int type, bool highPass, Curve& out);
    void place(const Curve& shape, float frequency, Curve& curve) const;

    std::array<Curve, 3> m_pGrid{};  // (2 sin(w/2))^2 per grid kind
    Curve m_shape{};
    Curve m_sectionA{};
    Curve m_sectionB{};
};

}  // namespace mz3
