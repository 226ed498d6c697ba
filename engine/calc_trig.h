// sin, cos and tan for any double argument, correctly rounded and the same in every build.
#pragma once

// The argument is first reduced by quarter turns exactly (with the bits of 2/pi, not with a
// rounded pi), with as many bits of 2/pi as the precision needs.
double CalcSin(double x);
double CalcCos(double x);
double CalcTan(double x);
