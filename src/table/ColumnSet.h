#pragma once

#include <cstdint>
#include <initializer_list>

#include "table/Columns.h"

namespace corvalen {

// A set of the 19 columns of an imported memory table, as a format says which of them its
// files hold (ChannelFormat::HeldColumns) and a comparison says which it compared.
class ColumnSet {
public:
    constexpr ColumnSet() = default;
    constexpr ColumnSet(std::initializer_list<Column> columns) {
        for (const Column column : columns) {
            m_bits |= Bit(column);
        }
    }
    static constexpr ColumnSet All() {
        return FromBits((std::uint32_t{1} << kImportedColumnCount) - 1);
    }

    constexpr bool Has(int column) const {
        return column >= 0 && column < kImportedColumnCount && (m_bits & Bit(column)) != 0;
    }
    constexpr ColumnSet& Add(int column) {
        m_bits |= Bit(column);
        return *this;
    }
    constexpr ColumnSet& Remove(int column) {
        m_bits &= ~Bit(column);
        return *this;
    }
    constexpr ColumnSet operator&(ColumnSet other) const { return FromBits(m_bits & other.m_bits); }
    constexpr bool operator==(const ColumnSet&) const = default;

private:
    static constexpr std::uint32_t Bit(int column) {
        return column >= 0 && column < kImportedColumnCount ? std::uint32_t{1} << column : 0;
    }
    static constexpr ColumnSet FromBits(std::uint32_t bits) {
        ColumnSet set;
        set.m_bits = bits;
        return set;
    }

    std::uint32_t m_bits = 0;
};

}  // namespace corvalen
