#include "networkreach.h"

#include <QList>
#include <algorithm>
#include <optional>

namespace NetworkReach {

using Subnet = QPair<QHostAddress, int>;

static QList<Subnet> subnets(std::initializer_list<const char *> written)
{
    QList<Subnet> parsed;
    for (const char *subnet : written)
        parsed.append(QHostAddress::parseSubnet(QString::fromLatin1(subnet)));
    return parsed;
}

static bool inAny(const QHostAddress &address, const QList<Subnet> &list)
{
    return std::any_of(list.begin(), list.end(), [&](const Subnet &subnet) { return address.isInSubnet(subnet); });
}

// Every IPv4 range that is not public unicast: this network, private, shared (carrier-grade NAT),
// loopback, link-local, protocol assignments, documentation, benchmarking, multicast and the
// reserved rest up to the broadcast address.
static bool isLocalIPv4(quint32 address)
{
    static const QList<Subnet> local = subnets({"0.0.0.0/8", "10.0.0.0/8", "100.64.0.0/10", "127.0.0.0/8",
                                                "169.254.0.0/16", "172.16.0.0/12", "192.0.0.0/24", "192.0.2.0/24",
                                                "192.168.0.0/16", "198.18.0.0/15", "198.51.100.0/24",
                                                "203.0.113.0/24", "224.0.0.0/4", "240.0.0.0/4"});
    return inAny(QHostAddress(address), local);
}

// Public IPv6 unicast lies in 2000::/3 only; in it, the protocol assignments (Teredo among them)
// and the documentation ranges are not public. Mapped, NAT64 and 6to4 addresses carry an IPv4
// address, at the byte given.
static bool isLocalIPv6(const Q_IPV6ADDR &bytes)
{
    struct Carrier
    {
        Subnet subnet;
        int at;
    };
    static const QList<Carrier> carriers = {{QHostAddress::parseSubnet(QStringLiteral("::ffff:0:0/96")), 12},
                                            {QHostAddress::parseSubnet(QStringLiteral("64:ff9b::/96")), 12},
                                            {QHostAddress::parseSubnet(QStringLiteral("2002::/16")), 2}};
    static const Subnet globalUnicast = QHostAddress::parseSubnet(QStringLiteral("2000::/3"));
    static const QList<Subnet> localInGlobal = subnets({"2001::/23", "2001:db8::/32", "3fff::/20"});
    const QHostAddress address(bytes);
    for (const Carrier &carrier : carriers) {
        if (address.isInSubnet(carrier.subnet)) {
            quint32 ipv4 = 0;
            for (int i = carrier.at; i < carrier.at + 4; ++i)
                ipv4 = ipv4 << 8 | bytes[i];
            return isLocalIPv4(ipv4);
        }
    }
    return !address.isInSubnet(globalUnicast) || inAny(address, localInGlobal);
}

bool isLocalAddress(const QHostAddress &address)
{
    switch (address.protocol()) {
    case QAbstractSocket::IPv4Protocol:
        return isLocalIPv4(address.toIPv4Address());
    case QAbstractSocket::IPv6Protocol:
        return isLocalIPv6(address.toIPv6Address());
    default:
        return true;
    }
}

// One part of an IPv4 address as the engine reads it: decimal, hexadecimal after "0x", octal
// after a leading 0. Values past 32 bits are cut at 2^32, which no place allows.
static std::optional<quint64> ipv4Part(QStringView part)
{
    if (part.isEmpty())
        return std::nullopt;
    int base = 10;
    if (part.size() >= 2 && part[0] == u'0' && (part[1] == u'x' || part[1] == u'X')) {
        part = part.mid(2);
        base = 16;
    } else if (part.size() >= 2 && part[0] == u'0') {
        part = part.mid(1);
        base = 8;
    }
    quint64 value = 0;
    for (const QChar c : part) {
        const int digit = c.isDigit() ? c.digitValue() : c >= u'a' && c <= u'f' ? c.unicode() - 'a' + 10 : 99;
        if (c.unicode() > 0x7f || digit >= base)
            return std::nullopt;
        value = std::min<quint64>(value * base + digit, quint64(1) << 32);
    }
    return value;
}

// A host whose last label is a number is an IPv4 address to the engine, or no valid host at all.
static bool endsInNumber(const QStringList &labels)
{
    const QString &last = labels.last();
    const bool digits = !last.isEmpty() && std::all_of(last.begin(), last.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits || ipv4Part(last).has_value();
}

static std::optional<quint32> ipv4Of(const QStringList &labels)
{
    if (labels.size() > 4)
        return std::nullopt;
    quint64 address = 0;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const std::optional<quint64> part = ipv4Part(labels[i]);
        const bool last = i == labels.size() - 1;
        const quint64 limit = last ? quint64(1) << (8 * (5 - labels.size())) : 256;
        if (!part || *part >= limit)
            return std::nullopt;
        address = last ? (address << (8 * (5 - labels.size()))) + *part : address << 8 | *part;
    }
    return quint32(address);
}

static Host verdict(bool local) { return local ? Host::Local : Host::Public; }

Host judge(const QString &host)
{
    QString name = host.toLower();
    while (name.endsWith(u'.'))
        name.chop(1);
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    if (name.isEmpty())
        return Host::Local;
    if (name.contains(u':')) {
        // A zone names the local link the address is on.
        QHostAddress address;
        const bool read = address.setAddress(name.section(u'%', 0, 0));
        return read && address.protocol() == QAbstractSocket::IPv6Protocol ? verdict(isLocalAddress(address))
                                                                              : Host::Local;
    }
    const QStringList labels = name.split(u'.');
    if (endsInNumber(labels)) {
        const std::optional<quint32> ipv4 = ipv4Of(labels);
        return ipv4 ? verdict(isLocalIPv4(*ipv4)) : Host::Local;
    }
    static const QStringList localNames = {QStringLiteral("localhost"), QStringLiteral("local"),
                                           QStringLiteral("home.arpa"), QStringLiteral("internal")};
    for (const QString &local : localNames) {
        if (name == local || name.endsWith(u'.' + local))
            return Host::Local;
    }
    return Host::Name;
}

static Host judgeHostOf(const QUrl &address) { return judge(address.host(QUrl::FullyEncoded)); }

bool isLocal(const QUrl &address)
{
    if (!address.isValid())
        return true;
    return !address.host().isEmpty() && judgeHostOf(address) == Host::Local;
}

bool isPublicPage(const QUrl &page)
{
    static const QStringList webSchemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ws"),
                                           QStringLiteral("wss")};
    // A blob's document is its page's.
    if (page.scheme() == u"blob")
        return isPublicPage(QUrl(page.path()));
    return page.isValid() && webSchemes.contains(page.scheme()) && !page.host().isEmpty()
           && judgeHostOf(page) != Host::Local;
}

bool mayLead(const QUrl &from, const QUrl &to) { return !isPublicPage(from) || !isLocal(to); }

bool needsResolving(const QUrl &from, const QUrl &to)
{
    return isPublicPage(from) && to.isValid() && !to.host().isEmpty() && judgeHostOf(to) == Host::Name;
}

} // namespace NetworkReach
