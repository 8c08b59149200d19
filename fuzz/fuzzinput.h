#pragma once

#include <cstdint>
#include <cstring>

// Takes doubles and small counts off the front of a fuzzer's input.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool empty() const { return m_size == 0; }

    double real()
    {
        double v = 0;
        const std::size_t n = m_size < sizeof v ? m_size : sizeof v;
        std::memcpy(&v, m_data, n);
        m_data += n;
        m_size -= n;
        return v;
    }

    unsigned small(unsigned limit)
    {
        if (m_size == 0)
            return 0;
        const unsigned v = *m_data % (limit + 1);
        ++m_data;
        --m_size;
        return v;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};
