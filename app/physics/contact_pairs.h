#pragma once

// The contact pairs a scene has registered: two bodies, named by serial, and
// the NOTIFY_ON_* flags they report with. Pairs are numbered in the order they
// were made, so that reports go out in that order; two indexes find a pair by
// its bodies without a walk over all of them (every block of a course is
// paired with the ball).

#include <map>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

class contact_pairs {
public:
    using serial_pair = std::pair<unsigned long, unsigned long>;
    struct pair {
        unsigned long first;
        unsigned long second;
        int flags;
    };

    // The key of a pair whichever way round it was made: the smaller serial first.
    static serial_pair ordered(unsigned long a, unsigned long b);

    // A pair made again replaces the old one and takes its place at the end.
    void add(unsigned long first, unsigned long second, int flags);
    void remove(const serial_pair& key);
    // Every pair the body is in.
    void remove_all_of(unsigned long serial);
    bool registered(const serial_pair& key) const { return numbers.count(key) != 0; }
    // The registered pairs among the keys of `some` and `others`, in the order they were made.
    std::vector<pair> registered_among(const std::vector<serial_pair>& some,
                                       const std::vector<serial_pair>& others) const;

private:
    struct serial_pair_hash {
        size_t operator()(const serial_pair& key) const { return key.first * 1000003u ^ key.second; }
    };

    std::map<unsigned long, pair> pairs;
    std::unordered_map<serial_pair, unsigned long, serial_pair_hash> numbers;
    std::map<unsigned long, std::set<unsigned long>> partners;
    unsigned long next_number = 0;
};
