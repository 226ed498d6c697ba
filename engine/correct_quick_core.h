// The first evaluation's arithmetic, included twice by correct_quick.cpp: once with Dekker's
// exact products for every x86-64 processor, once compiled for the fused multiply-add, chosen at
// run time. Product and ShortProduct are exact either way, so both give the same bits. No include
// guard: PAVRA_QUICK_NAMESPACE and PAVRA_QUICK_TARGET name the copy.

namespace PAVRA_QUICK_NAMESPACE {

// t = a / b as a double-double within 2^-100 relative, for a, b in [2^-500, 2^500] (or a below
// 2^-500, where only the absolute error 2^-1000 counts), with 1 / b.hi rounded as `inverse`:
// t.hi = a.hi inverse is within 2u, the remainder a - t.hi b.hi is exact (Product, Sterbenz), and
// t.lo its quotient within 3u of itself.
PAVRA_QUICK_TARGET DD Ratio(DD a, DD b, double inverse) {
    double th = a.hi * inverse;
    return {th, ((Residual(a.hi, th, b.hi) + a.lo) - th * b.lo) * inverse};
}

// atan t for t = t.hi + t.lo in [0, 1 + 2^-50], |t.lo| <= 2^-51 t.hi, within 2^-68.5 relative
// (2^-77.5 absolute) of atan(t.hi + t.lo).
// With c = j/256 nearest to t, atan t = atan c + atan u, u = (t - c) / (1 + t c), |u| <= 2^-9
// (1 + 2^-49). t - c = (t.hi - c) + t.lo exactly (Sterbenz). t1 = t.hi to a multiple of 2^-18
// makes 1 + t1 c exact with 27 bits, so that its product with the halves of a Split is exact;
// d = 1 + t1 c + (t.hi - t1 + t.lo) c within 2^-71 relative. u_h = (t.hi - c) / d within 2u,
// u_l = (t - c - u_h d) / d from the exact u_h (1 + t1 c) and u_h times the rest rounded: u within
// 2^-70 relative, 2^-79 absolute.
// atan u - u = u^3 (-1/3 + u^2/5 - u^4/7) (next term below 2^-84.2) in doubles from u_h + u_l
// rounded: at most 2^-28.6, within 5u of it (2^-79.3), and the rounding of u moves it by u^2 u u
// (2^-80). The table is within 2^-106; the sum of the low parts within u (2^-28.6 + 2^-51):
// 2^-81.6. Absolute error under 2^-77.5: at most 2^-68.5 of atan t >= 2^-9 (j >= 1); for j = 0,
// u = t exactly and the same steps give 7u t^2/3 < 2^-69.8 relative.
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE DD AtanCore(DD t) {
    int j = static_cast<int>(t.hi * 256 + 0.5);
    double c = j * 0.00390625;
    double t1 = (t.hi + 17179869184.0) - 17179869184.0;  // 2^34
    double dh = 1 + t1 * c;
    double dl = ((t.hi - t1) + t.lo) * c;
    double inverse = 1 / (dh + dl);
    double nh = t.hi - c;
    double uh = nh * inverse;
    double ul = ((ShortResidual(nh, uh, dh) + t.lo) - uh * dl) * inverse;
    double u = uh + ul, z = u * u;
    double poly = u * z * (-0.3333333333333333 + z * (0.2 + z * -0.14285714285714285));
    const DD& table = kAtanTable[j];
    DD s = FastTwoSum(table.hi, uh);
    return FastTwoSum(s.hi, ((s.lo + table.lo) + ul) + poly);
}

// atan(n / d) = atan c + atan u, u = (t - c) / (1 + t c) = (n - c d) / (d + c n), for
// double-doubles n >= 0, d > 0 (|lo| <= 2^-52 |hi|, n.hi <= d.hi, d.hi in [2^-500, 2^500], n.hi
// too or below 2^-500, where only the absolute error 2^-1000 counts), t = n / d, a node c of at
// most 26 bits in [0, 1.01] with |u| <= 2^-9 (1 + 2^-41), and atan c within 2^-106: one division.
// c d.hi and c n.hi are exact (ShortProduct), n.hi - c d.hi too (TwoSum); the rest of n - c d
// (n.lo, the products' low parts, c d.lo) within 2^-103 d. d + c n: where c n.hi > d.hi, c > 1 and
// both are in [1/2, 1), so the FastTwoSum is exact; its low parts within 2^-103 d. u_h = N_h / D_h
// within 2u, N_h - u_h D_h exact (Product, Sterbenz), u_l from it within 2^-99 (t's scale; 2^-99
// of t for c = 0, where N = n and D = d), |u_l| <= 2^-49. atan u - u = u^3 (-1/3 + u^2/5 - u^4/7)
// (next term below 2^-84.2) in doubles from u_h alone, so that it need not wait for u_l: at most
// 2^-28.6, within 5u of it (2^-79.3); u = u_h + u_l adds -u_h^2 u_l, kept (within 2^-120), and
// terms in u_l^2 or u^4 u_l below 2^-120. The sum of the low parts within u (2^-28.6 + 2^-49):
// 2^-81.5. Absolute error under 2^-78: at most 2^-69 of atan t >= 2^-9 for c = j/256 != 0
// (AtanRatio). For c = 0 the same steps give 7u t^2/3 < 2^-69.8 relative.
// With a quarter k = 1 or 2 and a sign, the result is k pi/2 + sign atan(n / d): the multiple
// joins atan c before u is known (TwoSum exact, its low parts within 2^-104), so that it costs
// nothing after the division; the result is then at least pi/4 and the FastTwoSum with u_h holds.
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE DD AtanFrom(DD n, DD d, double c, const DD& atanC, int k, double sign) {
    DD base = atanC;
    if (k != 0) {
        const DD& m = kPiMultiples[k - 1];
        DD b = TwoSum(m.hi, sign * atanC.hi);
        base = {b.hi, (b.lo + m.lo) + sign * atanC.lo};
    }
    DD pd = ShortProduct(d.hi, c);
    DD pn = ShortProduct(n.hi, c);
    DD nn = TwoSum(n.hi, -pd.hi);
    double nh = nn.hi;
    double nl = ((nn.lo - pd.lo) + n.lo) - c * d.lo;
    DD dd = FastTwoSum(d.hi, pn.hi);
    double dh = dd.hi;
    double dl = (dd.lo + pn.lo) + (d.lo + c * n.lo);
    double inverse = 1 / dh;
    double uh = nh * inverse;
    double ul = ((Residual(nh, uh, dh) + nl) - uh * dl) * inverse;
    double z = uh * uh;
    double poly = uh * z * (-0.3333333333333333 + z * (0.2 + z * -0.14285714285714285));
    DD s = FastTwoSum(base.hi, sign * uh);
    return FastTwoSum(s.hi, ((s.lo + base.lo) + sign * ul) + sign * (poly - z * ul));
}

// atan(n / d) as AtanFrom, with q = n.hi / d.hi rounded: q is within 2^-51 of t, so c = j/256
// with j = 256 q rounded to the nearest is within 2^-9 (1 + 2^-41) of t, |u| <= |t - c|; atan c
// from kAtanTable.
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE DD AtanRatio(DD n, DD d, double q, int k = 0, double sign = 1) {
    double jd = (q * 256 + 6755399441055744.0) - 6755399441055744.0;  // 1.5 2^52
    int j = static_cast<int>(jd);
    return AtanFrom(n, d, jd * 0.00390625, kAtanTable[j], k, sign);
}

// The node i = 128 t rounded of the series tables, and h = t - i/128: exact (Sterbenz from i = 1 on,
// h = t at i = 0).
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE int SeriesNode(double t, double* h) {
    double id = (t * 128 + 6755399441055744.0) - 6755399441055744.0;  // 1.5 2^52
    *h = t - id * 0.0078125;
    return static_cast<int>(id);
}

// asin x for 0 <= x <= 1/2, within 2^-66 relative (for x >= 2^-1000, where the products are
// exact; acos takes smaller ones too, lost against pi/2): at the node c = i/128
// nearest x, h = x - c is exact (Sterbenz from c = 1/128 on, h = x at c = 0) and |h| <= 2^-8;
// asin x = a0 + a1 h + h^2 P(h), P of degree 7 from kAsinSeries, evaluated by Estrin's scheme.
// a1.hi h is exact (Product) and a0.hi + its high part too (FastTwoSum: |a1 h| <= 1.16 2^-8 <
// a0 from c = 1/128 on, a0 = 0 at c = 0); the low parts add up within 2^-104, and the last addition
// of h^2 P within u of it. make_math_tables.py sums, per node, the series left out, the rounding
// of each coefficient, up to 12 roundings on each term of P, and those additions, against asin at
// the interval's lower end: at most 2^-66.
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE DD AsinSeries(double x) {
    double h;
    const double* a = kAsinSeries[SeriesNode(x, &h)];
    double z = h * h, z2 = z * z;
    double r0 = (a[4] + a[5] * h) + (a[6] + a[7] * h) * z;
    double r1 = (a[8] + a[9] * h) + (a[10] + a[11] * h) * z;
    double tail = (r0 + r1 * z2) * z;
    DD p = Product(a[2], h);
    DD s = FastTwoSum(a[0], p.hi);
    return FastTwoSum(s.hi, ((s.lo + a[1]) + (p.lo + a[3] * h)) + tail);
}

// acos(1 - z) for 0 < z <= 1/2 (z a multiple of 2^-53), within 2^-69 relative, as sqrt(2 z) F(z):
// F(z) = f0 + f1 h + h^2 G(h) at the node c = i/128 nearest z, from kAcosRootSeries as in
// AsinSeries, with F >= 1 within 2^-70 (make_math_tables.py, up to 10 roundings on each term of
// G); f0.hi + f1.hi h is exact (FastTwoSum: f0 >= 1 > |f1 h|), the rest F_l is below 2^-20.
// sqrt(2 z) = s + s_l, s rounded, its residual 2 z - s^2 exact (Residual) and s_l from it within
// 2u of itself (2^-104 relative). The product: s F.hi exact (Product), s F_l and s_l F.hi each
// within u of themselves, their sum within u of it: under 2^-72 in all.
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE DD AcosNearOne(double z) {
    double h;
    const double* f = kAcosRootSeries[SeriesNode(z, &h)];
    double w = h * h;
    double tail = ((f[4] + f[5] * h) + w * ((f[6] + f[7] * h) + w * (f[8] + f[9] * h))) * w;
    DD p = Product(f[2], h);
    DD fh = FastTwoSum(f[0], p.hi);
    double fl = ((fh.lo + f[1]) + (p.lo + f[3] * h)) + tail;
    double s = std::sqrt(2 * z);  // correctly rounded in every build
    double sl = Residual(2 * z, s, s) * (0.5 / s);
    DD m = Product(s, fh.hi);
    return FastTwoSum(m.hi, m.lo + (s * fl + sl * fh.hi));
}

// log x for a finite x > 0, x != 1, within 2^-68.4 relative.
// x = 2^e m, m in [1, 2); from i = 256 on (m >= 1.5), x = 2^(e+1) (m/2). R = R_i has 10 bits (a
// multiple of 2^-10) and m_h = m to a multiple of 2^-41 has 42, so m_h R - 1 is exact (Sterbenz)
// and so is (m - m_h) R; z = m R - 1 is a multiple of 2^-62 below 2^-9 (make_math_tables.py
// checks each interval), a double, so their sum is z exactly (the table's ends make z = m - 1 and
// m/2 - 1).
// log x = E ln2 + L_i + z - z^2/2 + z^3 (1/3 - z/4 + ... - z^5/8) (next term below 2^-84.2 and
// 2^-75 of z). E ln2_h (42 bits, |E| <= 1075) and L_h are multiples of 2^-42 below 2^10: their
// sum s is exact. z^2 is exact (Product); s + z and that sum minus z^2/2 exact (FastTwoSum: s is 0
// or of z's exponent or more, with |E ln2 + L_i| >= ln2 - log 1.5 where E != 0, else |L_i| >=
// 2^-9.002 or L_i = 0, and |z| < 2^-9; then |s + z| > 2^-11 or it is z, above z^2/2); the low
// parts (the sums' errors, at most u of the result each, E ln2's rest within 2^-86, L_i's rest
// within 2^-97 and z^2's error) summed by pairs within 4u of their size (2^-50 of the result,
// 2^-71 at most for the part of z^2). The polynomial's tail (at most 2^-28.6 of z, by pairs:
// Estrin) within 5u of itself. With E = 0 and L_i = 0, |log x| ~ |z|, and the errors scale with
// z^2: at most 2^-69.3 + 2^-69.6 + 2^-75 of log x; else |log x| >= 2^-9.1: under 2^-69.3.
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE DD LogCore(double x) {
    int e;
    uint64_t bits;
    double m = Decompose(x, &e, &bits);
    int i = static_cast<int>((bits >> 43) & 511);
    if (i >= 256)
        ++e;
    double r = kLogReciprocal[i];
    double h = ScaledLessOne(m, r);
    DD q = Product(h, h);
    double h2 = q.hi, h4 = h2 * h2;
    double pair1 = 0.3333333333333333 + h * -0.25;
    double pair2 = 0.2 + h * -0.16666666666666666;
    double pair3 = 0.14285714285714285 + h * -0.125;
    double tail = h * h2 * ((pair1 + h2 * pair2) + h4 * pair3);
    double de = e;
    const DD& l = kLogMinusLog[i];
    double s = de * kLn2.hi + l.hi;
    DD t = FastTwoSum(s, h);
    DD u = FastTwoSum(t.hi, -0.5 * q.hi);
    double low = ((t.lo + u.lo) + (de * kLn2.lo + l.lo)) + (tail - 0.5 * q.lo);
    return FastTwoSum(u.hi, low);
}

PAVRA_QUICK_TARGET DD Times(DD a, DD b) {
    DD p = Product(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// e^x within 2^-68.2 relative as 2^m times the result, for x = x.hi + x.lo, |x.hi| <= 708,
// |x.lo| <= 2^-52 |x.hi|.
// x = n ln2/128 + r, n = 128 m + j, |n| < 2^17, |r| <= 2^-8.5: n times the 35 bits of ln2/128 is
// exact and so is x.hi minus it (Sterbenz); the rest of ln2/128 (2^-96 left) times n, and its sum
// with x.lo, are within 2^-78 and r = r_h + r_l exactly from there (TwoSum). e^r = 1 + r_h + q,
// q = r_l + r_h^2 (1/2 + r_h/6 + ... + r_h^4/720) (next term below 2^-72), at most 2^-18.06 and
// within 4u of itself (2^-69.1), the polynomial by pairs (Estrin). T = 2^(j/128) within 2^-106;
// T_h r_h is exact (Product), T_h q within u 2^-17 (relative to T, 2^-71), and the last sum of
// the low parts, at most 2^-17, within 2^-70.
PAVRA_QUICK_TARGET DD ExpCore(DD x, int* m) {
    double n = (x.hi * 184.6649652337873 + 6755399441055744.0) - 6755399441055744.0;  // 128 / ln 2, 1.5 2^52
    DD r = TwoSum(ExactMulSub(x.hi, n, kLn2By128.hi), x.lo - n * kLn2By128.lo);
    double h = r.hi, h2 = h * h;
    double pair1 = 0.5 + h * 0.16666666666666666;
    double pair2 = 0.041666666666666664 + h * 0.008333333333333333;
    double q = r.lo + h2 * (pair1 + h2 * (pair2 + h2 * 0.001388888888888889));
    int whole = static_cast<int>(n);
    int j = whole & 127;
    *m = (whole - j) / 128;
    const DD& t = kExp2Table[j];
    DD p = Product(t.hi, h);
    DD s = FastTwoSum(t.hi, p.hi);
    return FastTwoSum(s.hi, (((s.lo + p.lo) + t.lo) + t.lo * (h + q)) + t.hi * q);
}

// 1 / a within 2^-104 relative: 1 - a.hi q is exact (Product; 1 - p.hi by Sterbenz), so the one
// correction leaves only the rounding of its small terms.
PAVRA_QUICK_TARGET DD Reciprocal(DD a) {
    double q = 1 / a.hi;
    DD p = Product(a.hi, q);
    double e = ((1 - p.hi) - p.lo) - a.lo * q;
    return FastTwoSum(q, q * e);
}

// (e^|x| +- e^-|x|) / 2 for |x| <= 708 as 2^(*m - 1) times the result: e^|x| = 2^m A by ExpCore,
// within 2^-68.2, and e^-|x| = 2^-m / A with the same error and the reciprocal's 2^-104; beyond
// 40, e^-|x| is below 2^-115 of e^|x| and left out. The scaling by 2^-2m (at least 2^-116) is
// exact, and the sums add 2^-104.
PAVRA_QUICK_TARGET DD ExpPair(double ax, double sign, int* m) {
    DD a = ExpCore({ax, 0}, m);
    if (ax > 40)
        return a;
    DD b = Reciprocal(a);
    double scale = sign * Pow2(-2 * *m);
    DD s = TwoSum(a.hi, b.hi * scale);
    return FastTwoSum(s.hi, (s.lo + a.lo) + b.lo * scale);
}

// x = k pi/512 + r for 2^-30 <= |x| < 2^15, and the parts of sin r and cos r that the table needs.
struct TrigParts {
    double h, l;      // r
    double cmh, cml;  // cos r - 1
    double sm;        // sin r - r
    int k;
};

// k = x 512/pi rounded (|k| < 2^23, |r| <= pi/1024 (1 + 2^-28) < 2^-8.35). pi/512 = c1 + c2 + c3
// (math_tables.h), c1 and c2 of 30 bits (c2 < 2^-38), c3 < 2^-69.3 within 2^-125.3: k c1 and k c2
// are exact, x - k c1 too (Sterbenz from |k| = 2 on; for k = +-1 the difference is a multiple of
// ulp(x) >= 2^-61 below 2^-8), the first TwoSum exact, k c3 (below 2^-46.3) and its sum into the
// low part (below 2^-46.3) each off by 2^-99.3, the second sum exact (FastTwoSum: the high part is
// above the low one from 2^-45 on, and below, the sum is under 2^-44 and declined), the rest of
// pi/512 by 2^-102.3: r = h + l exactly as a double-double, within 2^-98.1 of x - k pi/512 (exact
// for k = 0). Below 2^-28 (k != 0), where that would count against a result as small as r, it
// declines.
//
// cos r - 1 = -r^2/2 + r^4/24 - r^6/720 + r^8/8! (next term below 2^-105): h^2 is exact
// (Product), -h^2/2 is cmh and cml the rest within 2^-88. sin r - r = -r^3/6 + r^5/120 - r^7/7!
// (next below 2^-93.6) as h^3 (...) - h^2 l/2: within 3.5u of itself, at most r^3/6 < 2^-27.6.
PAVRA_QUICK_TARGET bool TrigReduce(double x, TrigParts* p) {
    double k = (x * 162.97466172610083 + 6755399441055744.0) - 6755399441055744.0;  // 512 / pi, 1.5 2^52
    double r1 = ExactMulSub(x, k, kTrigStep[0]);
    DD s = TwoSum(r1, -k * kTrigStep[1]);
    DD r = FastTwoSum(s.hi, s.lo - k * kTrigStep[2]);
    if (k != 0 && Abs(r.hi) < 3.725290298461914e-09)  // 2^-28
        return false;
    double h = r.hi, l = r.lo;
    DD q = Product(h, h);
    p->h = h;
    p->l = l;
    p->cmh = -0.5 * q.hi;
    p->cml =
        (-0.5 * q.lo - h * l) +
        q.hi * q.hi * (0.041666666666666664 + q.hi * (-0.001388888888888889 + q.hi * 2.48015873015873e-05));
    p->sm =
        h * q.hi * (-0.16666666666666666 + q.hi * (0.008333333333333333 + q.hi * -0.0001984126984126984)) -
        0.5 * q.hi * l;
    p->k = static_cast<int>(k);
    return true;
}

// sin(j pi/512 + r) = S + C r + S (cos r - 1) + C (sin r - r), S = sin(j pi/512) and C = its
// cosine (the table a quarter turn on), each within 2^-107; cos x is this with j = k + 256.
// C h is exact (Product) and summed with S exactly (FastTwoSum: S is 0 or at least
// sin(pi/512) > 2^-7.4, |C h| < 2^-8.35); the low parts follow, S cmh last.
// Where S = 0 (j a multiple of 512), C = +-1 and the result is +-(r + sin r - r): sin r - r within
// 3.5u of itself, r^2/6 below 2^-19.3 of r (2^-70.5), its sum u of it (2^-72.5) and the reduction
// 2^-98.1 / 2^-28 (2^-70.1): under 2^-69.1. Elsewhere the result is at least sin(pi/1024) > 2^-8.36
// and at least |S| / 2: S cmh is off by u |S| r^2/2 <= u r^2 (2^-69.7 of the result) and so is its
// sum into the rest; C (sin r - r) by 4.5u 2^-27.6 (2^-70.1), the two sums before at the size
// 2^-27.5 by 2u 2^-27.5 (2^-71.2), and the rest (table, cml, reduction, C's low part) under
// 2^-85: under 2^-67.9, so 2^-66 is handed on.
PAVRA_QUICK_TARGET DD SinAt(const TrigParts& p, int j) {
    const DD& s = kSinTable[j & 1023];
    const DD& c = kSinTable[(j + 256) & 1023];
    DD ch = Product(c.hi, p.h);
    DD lead = FastTwoSum(s.hi, ch.hi);
    double low = (((lead.lo + ch.lo) + s.lo) + (c.lo * p.h + c.hi * p.l)) + c.hi * p.sm;
    low += s.hi * p.cml + s.lo * p.cmh;
    low += s.hi * p.cmh;
    return FastTwoSum(lead.hi, low);
}

PAVRA_QUICK_TARGET bool TrigArgument(double x, TrigParts* p) {
    return Abs(x) < 32768 && Abs(x) >= kTinyArgument && TrigReduce(x, p);
}

// pi/2 - atan(1 / ax) for 1 < ax < 512 as AtanFrom, at the node of ax's cell (kAtanFarNode, from
// the exponent and the first 6 bits of the mantissa), so that no division comes before the node:
// |u| <= 2^-8 (make_math_tables.py) instead of 2^-9. The result is pi/4 or more, and AtanFrom's
// absolute errors count against it: atan u - u at most 2^-25.6 and within 5u of itself
// (2^-76.3), the term left out u^9/9 below 2^-75.2, the low parts' sum within u (2^-25.6 + 2^-49):
// 2^-78.6, the rest as there: under 2^-74 of the result.
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE DD AtanFar(double ax) {
    uint64_t bits;
    std::memcpy(&bits, &ax, sizeof bits);
    int i = static_cast<int>((bits >> 46) - (1023u << 6));
    return AtanFrom({1, 0}, {ax, 0}, kAtanFarNode[i], kAtanFarNodeAtan[i], 1, -1);
}

// For |x| <= 1 directly; beyond, pi/2 - atan(1 / |x|), from 512 on at the node of 1 / |x| rounded.
PAVRA_QUICK_TARGET FastValue Atan(double x) {
    double ax = Abs(x);
    if (!(ax >= kTinyArgument && ax <= 3.273390607896142e150))
        return kNotMade;
    DD a;
    if (ax <= 1)
        a = AtanCore({ax, 0});
    else if (ax < 512)
        a = AtanFar(ax);
    else
        a = AtanRatio({1, 0}, {ax, 0}, 1 / ax, 1, -1);
    return Made(Negate(a, x < 0), kQuickAtanEps);
}

// The smaller of |y| and |x| over the larger; the quadrant's multiple of pi/2 added after.
PAVRA_QUICK_TARGET FastValue Atan2(double y, double x) {
    double ay = Abs(y), ax = Abs(x);
    if (!Moderate(ay) || !Moderate(ax))
        return kNotMade;
    DD a;
    if (ay <= ax) {
        a = AtanRatio({ay, 0}, {ax, 0}, ay / ax, x < 0 ? 2 : 0, x < 0 ? -1 : 1);
        if (!(a.hi >= 2.4099198651028841e-181))  // 2^-600: the bound's product stays normal
            return kNotMade;
    } else {
        a = AtanRatio({ax, 0}, {ay, 0}, ax / ay, 1, x < 0 ? 1 : -1);
    }
    return Made(Negate(a, y < 0), kQuickAtanEps);
}

// m - q for a multiple m of pi/2 (kPiMultiples) above |q|: the FastTwoSum of the high parts is
// exact, the low parts add 2^-106 of m.
PAVRA_QUICK_TARGET PAVRA_QUICK_INLINE DD FromMultiple(const DD& m, DD q) {
    DD t = FastTwoSum(m.hi, -q.hi);
    return FastTwoSum(t.hi, (t.lo + m.lo) - q.lo);
}

// asin |x| by its series up to 1/2, then pi/2 - acos(1 - z) for z = 1 - |x| (exact, Sterbenz):
// acos(1 - z) <= pi/3 and the result >= pi/6, so that the FastTwoSum holds and the relative error
// at most doubles (2^-68), and pi/2 adds 2^-106.
PAVRA_QUICK_TARGET FastValue Asin(double x) {
    double ax = Abs(x);
    if (!(ax >= kTinyArgument && ax < 1))
        return kNotMade;
    if (ax <= 0.5)
        return Made(Negate(AsinSeries(ax), x < 0), kQuickAsinEps);
    return Made(Negate(FromMultiple(kPiMultiples[0], AcosNearOne(1 - ax)), x < 0), kQuickArcEps);
}

// acos x = pi/2 - asin x up to |x| = 1/2 (|asin x| <= pi/6, the result >= pi/3: within 2^-66.5);
// beyond, acos(1 - z) for z = 1 - x, or pi - acos(1 - z) for z = 1 + x (the result >= 2 pi/3).
PAVRA_QUICK_TARGET FastValue Acos(double x) {
    double ax = Abs(x);
    if (!(ax < 1))
        return kNotMade;
    if (ax <= 0.5)
        return Made(FromMultiple(kPiMultiples[0], Negate(AsinSeries(ax), x < 0)), kQuickAsinEps);
    if (x > 0)
        return Made(AcosNearOne(1 - x), kQuickArcEps);
    return Made(FromMultiple(kPiMultiples[1], AcosNearOne(1 + x)), kQuickArcEps);
}

PAVRA_QUICK_TARGET FastValue Log(double x) {
    return LogArgument(x) ? Made(LogCore(x), kQuickLogEps) : kNotMade;
}

// The product by 1 / ln 10 adds 2^-102.
PAVRA_QUICK_TARGET FastValue Log10(double x) {
    return LogArgument(x) ? Made(Times(LogCore(x), kInverseLn10), kQuickLogEps) : kNotMade;
}

PAVRA_QUICK_TARGET FastValue Exp(double x) {
    if (!(Abs(x) <= 708))
        return kNotMade;
    int m;
    FastValue v = Made(ExpCore({x, 0}, &m), kQuickExpEps);
    v.scale = m;  // normal: e^x >= 2^-1021
    return v;
}

// Both parts positive: the sum keeps their 2^-68.2.
PAVRA_QUICK_TARGET FastValue Cosh(double x) {
    double ax = Abs(x);
    if (!(ax <= 708 && ax >= 7.450580596923828e-09))  // 2^-27: below, 1 + x^2/2 rounds to 1
        return kNotMade;
    int m;
    FastValue v = Made(ExpPair(ax, 1, &m), kQuickExpEps);
    v.scale = m - 1;
    return v;
}

// From 1/2 on the difference loses at most coth(1/2) < 2.17: within 2^-67.1.
PAVRA_QUICK_TARGET FastValue Sinh(double x) {
    double ax = Abs(x);
    if (!(ax <= 708 && ax >= 0.5))
        return kNotMade;
    int m;
    FastValue v = Made(Negate(ExpPair(ax, -1, &m), x < 0), 2 * kQuickExpEps);
    v.scale = m - 1;
    return v;
}

PAVRA_QUICK_TARGET FastValue Sin(double x) {
    TrigParts p;
    return TrigArgument(x, &p) ? Made(SinAt(p, p.k), kQuickTrigEps) : kNotMade;
}

PAVRA_QUICK_TARGET FastValue Cos(double x) {
    TrigParts p;
    return TrigArgument(x, &p) ? Made(SinAt(p, p.k + 256), kQuickTrigEps) : kNotMade;
}

// sin x / cos x, each within 2^-67.9, and the quotient's 2^-100: under 2^-66.9.
PAVRA_QUICK_TARGET FastValue Tan(double x) {
    TrigParts p;
    if (!TrigArgument(x, &p))
        return kNotMade;
    DD s = SinAt(p, p.k), c = SinAt(p, p.k + 256);
    return Made(Ratio(s, c, 1 / c.hi), kQuickTanEps);
}

// x^y = e^(y log x) for x > 0, x != 1, 2^-900 <= |y log x| <= 708 and |y| <= 2^900: log x
// within 2^-68.4 relative (LogCore), t = y log x with y l.hi exact (Product) and y l.lo within
// 2^-104 |t|; t's error moves e^t by 1.01 times itself: e^t within 2^-68.2 + 2^-68.38 |t|, and
// 2^-67 (1 + |t|) is handed on.
PAVRA_QUICK_TARGET FastValue Pow(double x, double y) {
    if (!LogArgument(x) || !(Abs(y) <= 8.452712498170644e270))  // 2^900
        return kNotMade;
    DD l = LogCore(x);
    DD p = Product(y, l.hi);
    if (!(Abs(p.hi) <= 708 && Abs(p.hi) >= 1.1832913578315177e-271))  // 2^-900
        return kNotMade;
    DD t = FastTwoSum(p.hi, p.lo + y * l.lo);
    int m;
    FastValue v = Made(ExpCore(t, &m), kQuickExpEps * (1 + Abs(t.hi)));
    v.scale = m;  // normal: e^t >= 2^-1021
    return v;
}

// tanh |x| = (1 - d) / (1 + d), d = e^-2|x| = 2^m D by ExpCore within 2^-68.2 and scaled exactly
// (m >= -64), for 1/4 <= |x| <= 22: d <= e^-1/2, so 1 - d >= 0.39 carries d's error times at most
// 1.55 and 1 + d times 0.38; the sums are exact but for 2^-105 and the quotient within 2^-100:
// under 2^-67.2. Below 1/4 the fast path decides.
PAVRA_QUICK_TARGET FastValue Tanh(double x) {
    double ax = Abs(x);
    if (!(ax >= 0.25 && ax <= 22))
        return kNotMade;
    int m;
    DD d = ExpCore({-2 * ax, 0}, &m);
    double scale = Pow2(m);
    d = {d.hi * scale, d.lo * scale};
    DD n = TwoSum(1, -d.hi);
    n = FastTwoSum(n.hi, n.lo - d.lo);
    DD e = FastTwoSum(1, d.hi);
    e = FastTwoSum(e.hi, e.lo + d.lo);
    return Made(Negate(Ratio(n, e, 1 / e.hi), x < 0), kQuickTanhEps);
}

// The first evaluation and its rounding test in one: the value stays in registers.
#define PAVRA_QUICK_ROUNDED(name)                                                      \
    PAVRA_QUICK_TARGET PAVRA_QUICK_FLATTEN bool name##Rounded(double* out, double x) { \
        return FastRound(name(x), out);                                                \
    }
#define PAVRA_QUICK_ROUNDED2(name, a, b)                                                         \
    PAVRA_QUICK_TARGET PAVRA_QUICK_FLATTEN bool name##Rounded(double* out, double a, double b) { \
        return FastRound(name(a, b), out);                                                       \
    }
PAVRA_QUICK_ROUNDED(Exp)
PAVRA_QUICK_ROUNDED(Log)
PAVRA_QUICK_ROUNDED(Log10)
PAVRA_QUICK_ROUNDED(Sinh)
PAVRA_QUICK_ROUNDED(Cosh)
PAVRA_QUICK_ROUNDED(Sin)
PAVRA_QUICK_ROUNDED(Cos)
PAVRA_QUICK_ROUNDED(Tan)
PAVRA_QUICK_ROUNDED(Atan)
PAVRA_QUICK_ROUNDED2(Atan2, y, x)
PAVRA_QUICK_ROUNDED(Asin)
PAVRA_QUICK_ROUNDED(Acos)
PAVRA_QUICK_ROUNDED2(Pow, x, y)
PAVRA_QUICK_ROUNDED(Tanh)
#undef PAVRA_QUICK_ROUNDED
#undef PAVRA_QUICK_ROUNDED2

}  // namespace PAVRA_QUICK_NAMESPACE
