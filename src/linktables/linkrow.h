#pragma once

#include <QString>
#include <array>

// One link of a table: its six stored fields by grid column 1 to 6. The secret is held in clear;
// only the grid masks it.
struct LinkRow
{
    enum Column { Title = 1, Address = 2, Notes = 3, Secret = 4, Typed = 5, Date = 6 };
    static constexpr int fieldCount = 6;

    std::array<QString, fieldCount> fields;

    QString &operator[](int column) { return fields[column - 1]; }
    const QString &operator[](int column) const { return fields[column - 1]; }

    bool isBlank() const
    {
        for (const QString &field : fields) {
            if (!field.isEmpty())
                return false;
        }
        return true;
    }
};
