#pragma once

#include <string>
#include <string_view>

#include "app/window.h"

namespace brimwell {

/// Which of the twelve property rules a converter applies.
enum class RuleSet {
    All,                ///< every rule, with or without parameters (the combined converters)
    AllWithParameters,  ///< rules 8-12 only for a head holding ';' (the per-file converter)
    Filtered,           ///< names, e-mails, addresses, phones, each only while its box is ticked
};

/// Receives the fields one line yields, in order. The views live until the next call.
class FieldSink {
public:
    virtual void field(std::string_view name, std::string_view value) = 0;

protected:
    ~FieldSink() = default;
};

/// Recognises vCard lines, one at a time, by the standard layout's property rules.
///
///     PropertyRules rules(window, RuleSet::All);
///     rules.startContact();
///     rules.recognize("EMAIL;TYPE=INTERNET:ann@example.com", sink);  // "Email Address"
///     rules.recognize("EMAIL:bob@example.com", sink);                // "Email Address 2"
///
/// Switches are read from the window when a rule needs them: "Remove CRLF" by the note
/// rule, a filter box each time its rule matches.
class PropertyRules {
public:
    PropertyRules(const Window& window, RuleSet rules) : m_window(window), m_rules(rules) {}

    /// Sets the four repeat counters (e-mail, website, business and home phone) back to 1.
    void startContact();
    void recognize(std::string_view line, FieldSink& sink);

private:
    struct Line;
    void recognizeKey(const Line& line, FieldSink& sink);
    void recognizeFiltered(const Line& line, FieldSink& sink);
    void nameRule(const Line& line, FieldSink& sink);
    void noteRule(const Line& line, FieldSink& sink);
    void addressRule(const Line& line, FieldSink& sink);
    void telephoneRule(const Line& line, FieldSink& sink);
    void yieldNumbered(std::string_view name, int& counter, std::string_view value,
                       FieldSink& sink);

    const Window& m_window;
    RuleSet m_rules;
    int m_emails = 1;
    int m_websites = 1;
    int m_businessPhones = 1;
    int m_homePhones = 1;
    std::string m_key;       // reused buffers: no allocation per line once grown
    std::string m_baseName;
    std::string m_value;
    std::string m_secondValue;
    std::string m_name;
};

}  // namespace brimwell
