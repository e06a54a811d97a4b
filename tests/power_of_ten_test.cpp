#include "number_text/power_of_ten.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A non-negative integer in base 2^32, least significant limb first: just enough arithmetic
// to hold exact powers of ten and compare them with the tables.
class BigInteger
{
public:
    explicit BigInteger(std::uint64_t value)
    {
        while (value != 0) {
            limbs_.push_back(std::uint32_t(value));
            value >>= 32;
        }
    }

    static BigInteger PowerOfTen(int n)
    {
        BigInteger power(1);
        for (int i = 0; i < n; ++i)
            power.MultiplyBy(10);
        return power;
    }

    void MultiplyBy(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t &limb : limbs_) {
            const std::uint64_t product = std::uint64_t(limb) * factor + carry;
            limb = std::uint32_t(product);
            carry = product >> 32;
        }
        if (carry != 0)
            limbs_.push_back(std::uint32_t(carry));
    }

    BigInteger ShiftedLeft(int bits) const
    {
        BigInteger shifted(0);
        shifted.limbs_.assign(std::size_t(bits / 32), 0);
        std::uint32_t carry = 0;
        for (std::uint32_t limb : limbs_) {
            const std::uint64_t wide = (std::uint64_t(limb) << (bits % 32)) | carry;
            shifted.limbs_.push_back(std::uint32_t(wide));
            carry = bits % 32 == 0 ? 0 : std::uint32_t(wide >> 32);
        }
        if (carry != 0)
            shifted.limbs_.push_back(carry);
        shifted.Trim();
        return shifted;
    }

    // |a - b|, and the sign of a - b.
    static BigInteger Distance(const BigInteger &a, const BigInteger &b, int *sign)
    {
        *sign = Compare(a, b);
        const BigInteger &larger = *sign >= 0 ? a : b;
        const BigInteger &smaller = *sign >= 0 ? b : a;
        BigInteger difference = larger;
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < difference.limbs_.size(); ++i) {
            std::int64_t limb = std::int64_t(difference.limbs_[i]) - borrow
                - (i < smaller.limbs_.size() ? std::int64_t(smaller.limbs_[i]) : 0);
            borrow = limb < 0;
            difference.limbs_[i] = std::uint32_t(limb + (borrow << 32));
        }
        difference.Trim();
        return difference;
    }

    static int Compare(const BigInteger &a, const BigInteger &b)
    {
        if (a.limbs_.size() != b.limbs_.size())
            return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (std::size_t i = a.limbs_.size(); i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i])
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        }
        return 0;
    }

private:
    void Trim()
    {
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
    }

    std::vector<std::uint32_t> limbs_;
};

// Confirms that entry = M x 2^E is the extended value nearest to 10^n (ties to an even M),
// with both sides scaled to integers: 10^n x 2^a against M x 2^b.
void ExpectNearestToPowerOfTen(long double entry, int n)
{
    std::uint64_t significand;
    std::uint16_t exponentField;
    std::memcpy(&significand, &entry, 8);
    std::memcpy(&exponentField, reinterpret_cast<const char *>(&entry) + 8, 2);
    ASSERT_TRUE(significand >> 63) << "10^" << n << " is not a normal extended value";
    const int exponent = int(exponentField & 0x7FFF) - 16383 - 63;

    // Scaled by 2 more, so that half an ulp is a whole power of two.
    const int shift = exponent < 2 ? 2 - exponent : 0;
    const BigInteger exact = BigInteger::PowerOfTen(n).ShiftedLeft(shift);
    const BigInteger stored = BigInteger(significand).ShiftedLeft(exponent + shift);
    int sign = 0;
    const BigInteger error = BigInteger::Distance(exact, stored, &sign);

    // Half the gap to the neighbour on the side of the exact value; below a power of two the gap halves.
    const bool belowPowerOfTwo = sign < 0 && significand == (std::uint64_t(1) << 63);
    const BigInteger halfGap = BigInteger(1).ShiftedLeft(exponent + shift - 1 - (belowPowerOfTwo ? 1 : 0));
    const int against = BigInteger::Compare(error, halfGap);
    EXPECT_TRUE(against < 0 || (against == 0 && significand % 2 == 0)) << "10^" << n << " is not the nearest";
}

TEST(PowersOfTen, EveryTableEntryIsTheNearestExtendedValue)
{
    for (int i = 0; i < 32; ++i)
        ExpectNearestToPowerOfTen(kPowersOfTen[std::size_t(i)], i);
    for (int j = 1; j <= 15; ++j)
        ExpectNearestToPowerOfTen(kPowersOfTen32[std::size_t(j - 1)], 32 * j);
    for (int k = 1; k <= 9; ++k)
        ExpectNearestToPowerOfTen(kPowersOfTen512[std::size_t(k - 1)], 512 * k);
}

TEST(PowersOfTen, ScalingBeyondTheTablesSaturates)
{
    EXPECT_EQ(ScaleByPowerOfTen(1, 5120), std::numeric_limits<long double>::infinity());
    EXPECT_EQ(ScaleByPowerOfTen(0, 5120), std::numeric_limits<long double>::infinity());
    EXPECT_EQ(ScaleByPowerOfTen(1e300L, -5120), 0);
    EXPECT_EQ(ScaleByPowerOfTen(7, 0), 7);
    EXPECT_EQ(ScaleByPowerOfTen(3, 4), 30000);
    EXPECT_EQ(ScaleByPowerOfTen(30000, -4), 3);
}

} // namespace
