// The columns of the stations' tables, written once per table as a table of their own.
//
// A table's column list names each column in the table's column order, the row member that
// holds it and, for a text column, the width that FieldCheck cuts it to; key columns are
// marked. Reading a row, adding it, updating it, clearing it and building its key condition
// all walk this one list, and a test checks it against the template database's schema.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

#include <span>
#include <variant>
#include <vector>

// The kinds of column, in the order of the alternatives of TBLColumn::member.
enum class TBLColumnType { Text = 0, Date = 1, Long = 2, Double = 3 };

// One column of a table whose row members live in `Data`.
template <class Data>
struct TBLColumn
{
    const char* name;
    std::variant<CString Data::*, COleDateTime Data::*, LONG Data::*, double Data::*> member;
    int width { 0 };    // text columns: the width FieldCheck cuts to
    bool key { false }; // part of the table's key

    TBLColumnType Type() const { return static_cast<TBLColumnType>(member.index()); }
};

constexpr bool TBLKey = true;

template <class Data>
constexpr TBLColumn<Data> TBLText(const char* name, CString Data::* member, int width, bool key = false)
{
    return { name, member, width, key };
}
template <class Data>
constexpr TBLColumn<Data> TBLDate(const char* name, COleDateTime Data::* member)
{
    return { name, member };
}
template <class Data>
constexpr TBLColumn<Data> TBLLong(const char* name, LONG Data::* member)
{
    return { name, member };
}
template <class Data>
constexpr TBLColumn<Data> TBLDouble(const char* name, double Data::* member)
{
    return { name, member };
}

// A column bound to the member of one object: what the table base reads and writes.
struct TBLField
{
    const char* name;
    std::variant<CString*, COleDateTime*, LONG*, double*> value;
    int width;
    bool key;
};

using TBLFields = std::vector<TBLField>;

// Binds every column of the list to the members of `data`, appending to `fields`.
template <class Data>
void TBLBindColumns(Data& data, std::span<const TBLColumn<Data>> columns, TBLFields& fields)
{
    for (const TBLColumn<Data>& column : columns) {
        std::visit(
            [&](auto member) {
                fields.push_back(TBLField { column.name, &(data.*member), column.width, column.key });
            },
            column.member);
    }
}
