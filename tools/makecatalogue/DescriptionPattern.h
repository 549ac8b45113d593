#pragma once

#include <QStringList>

// Expands a description pattern such as "Disjuntor {unipolar|bipolar} {10|16} A" into every
// description it stands for, so that each family has a fixed set of descriptions that
// several products share.
class DescriptionPattern
{
public:
    static QStringList expand(const QString& pattern);
};
