#pragma once
#include <cstdint>

class QWidget;

namespace orvex {

// Kinds of cell the list engine names to its host.
namespace CellKind {
constexpr std::int16_t Check = 1;
constexpr std::int16_t Picture = 2;
constexpr std::int16_t Label = 3;
}  // namespace CellKind

// What a list engine asks of the window that owns the data. The engine knows
// nothing of what the lines mean; a line is 1 .. Line_Count.
class ListHost {
public:
    virtual ~ListHost() = default;
    virtual std::int16_t Line_Count() = 0;
    // Writes into `Cella` what line `Linea` shows in that cell; may leave it alone.
    virtual void Item_Get(std::int16_t Tipo, std::int16_t Numero, std::int16_t Linea,
                          QWidget* Cella) = 0;
    // Stores the cell's state into the host's data (check boxes only).
    virtual void Item_Set(std::int16_t Tipo, std::int16_t Numero, std::int16_t Linea,
                          QWidget* Cella) = 0;
};

}  // namespace orvex
