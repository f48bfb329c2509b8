#!/usr/bin/python3
"""Loopback SMTP sink for the mail tests.

Usage: smtp_sink.py OUTPUT_DIR [LIFETIME_SECONDS]

Listens on 127.0.0.1 on a free port and prints the port on the first line of stdout. Every
message it receives is stored as N.eml, and Python's email package (an independent parser)
describes it in N.facts: one "key<TAB>value" line per fact, with backslash, CR, LF and TAB
escaped. The process ends by itself after LIFETIME_SECONDS (default 60) so that it can never
outlive a crashed test run.
"""
import asyncio
import base64
import email
import email.utils
import os
import sys
from email import policy

try:
    from aiosmtpd.smtp import SMTP
except ImportError:
    print("NOAIOSMTPD", flush=True)
    sys.exit(3)


def escape(value):
    return (str(value).replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")
            .replace("\t", "\\t"))


def address_list(msg, name):
    header = msg[name]
    if header is None:
        return ""
    return ";".join(f"{a.display_name}|{a.addr_spec}" for a in header.addresses)


def describe_part(facts, prefix, part):
    facts[prefix + "content_type"] = part.get_content_type()
    facts[prefix + "cte"] = part.get("Content-Transfer-Encoding", "")
    facts[prefix + "charset"] = part.get_param("charset", "")
    facts[prefix + "filename"] = part.get_filename() or ""
    payload = part.get_payload(decode=True) or b""
    facts[prefix + "payload_b64"] = base64.b64encode(payload).decode()
    if part.get_content_maintype() == "text" and not part.get_filename():
        facts[prefix + "text"] = part.get_content()


def describe(envelope):
    msg = email.message_from_bytes(envelope.content, policy=policy.default)
    facts = {
        "mail_from": envelope.mail_from,
        "rcpt_tos": ",".join(envelope.rcpt_tos),
        "subject": msg["Subject"] or "",
        "from": address_list(msg, "From"),
        "to": address_list(msg, "To"),
        "cc": address_list(msg, "CC"),
        "message_id": msg["Message-ID"] or "",
        "mime_version": msg["Mime-Version"] or "",
        "content_type": msg.get_content_type(),
        "defects": ",".join(type(d).__name__ for part in msg.walk() for d in part.defects),
    }
    try:
        facts["date_ok"] = "1" if email.utils.parsedate_to_datetime(msg["Date"]) else "0"
    except (TypeError, ValueError):
        facts["date_ok"] = "0"
    if msg.is_multipart():
        parts = msg.get_payload()
        facts["parts"] = str(len(parts))
        for index, part in enumerate(parts):
            describe_part(facts, f"part{index}.", part)
    else:
        describe_part(facts, "body.", msg)
    return facts


class Sink:
    def __init__(self, directory):
        self.directory = directory
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.directory, str(self.count))
        with open(base + ".eml", "wb") as out:
            out.write(envelope.content)
        try:
            facts = describe(envelope)
        except Exception as error:  # a message Python cannot parse is a finding, not a crash
            facts = {"parse_error": repr(error)}
        with open(base + ".tmp", "w", encoding="utf-8") as out:
            for key, value in facts.items():
                out.write(f"{key}\t{escape(value)}\n")
        os.replace(base + ".tmp", base + ".facts")
        return "250 Message accepted for delivery"


async def main(directory, lifetime):
    loop = asyncio.get_running_loop()
    handler = Sink(directory)
    server = await loop.create_server(lambda: SMTP(handler, hostname="sink.test"),
                                      "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], flush=True)
    await asyncio.sleep(lifetime)
    server.close()


if __name__ == "__main__":
    asyncio.run(main(sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 60.0))
