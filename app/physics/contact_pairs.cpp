#include "contact_pairs.h"

contact_pairs::serial_pair contact_pairs::ordered(unsigned long a, unsigned long b)
{
    return a < b ? std::make_pair(a, b) : std::make_pair(b, a);
}

void contact_pairs::add(unsigned long first, unsigned long second, int flags)
{
    const serial_pair key = ordered(first, second);
    remove(key);
    const unsigned long number = next_number++;
    pairs[number] = {first, second, flags};
    numbers[key] = number;
    partners[key.first].insert(key.second);
    partners[key.second].insert(key.first);
}

void contact_pairs::remove(const serial_pair& key)
{
    const auto found = numbers.find(key);
    if (found == numbers.end())
        return;
    pairs.erase(found->second);
    numbers.erase(found);
    for (const auto& [one, other] : {key, serial_pair(key.second, key.first)}) {
        const auto list = partners.find(one);
        list->second.erase(other);
        if (list->second.empty())
            partners.erase(list);
    }
}

void contact_pairs::remove_all_of(unsigned long serial)
{
    const auto partnered = partners.find(serial);
    if (partnered == partners.end())
        return;
    const std::set<unsigned long> others = partnered->second;
    for (unsigned long other : others)
        remove(ordered(serial, other));
}

std::vector<contact_pairs::pair> contact_pairs::registered_among(const std::vector<serial_pair>& some,
                                                                 const std::vector<serial_pair>& others) const
{
    std::set<unsigned long> found_numbers;
    for (const std::vector<serial_pair>* keys : {&some, &others})
        for (const serial_pair& key : *keys)
            if (const auto found = numbers.find(key); found != numbers.end())
                found_numbers.insert(found->second);
    std::vector<pair> in_order;
    for (unsigned long number : found_numbers)
        in_order.push_back(pairs.at(number));
    return in_order;
}
