"""The question tests' mail server on a loopback port. Message N is saved as
N.rcpt (envelope recipients), N.eml (as received), N.subject and N.body
(decoded), and N.tls ("yes" when it came over STARTTLS). With --refuse each
recipient gets a 550, logged in "refused". With --tls CERT KEY the server
offers STARTTLS. Every connection adds a line to "connections"."""
import argparse
import asyncio
import email
import email.header
import pathlib
import ssl

from aiosmtpd.smtp import SMTP


class Sink:
    def __init__(self, folder, refuse):
        self.folder, self.refuse, self.count = pathlib.Path(folder), refuse, 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.refuse:
            with open(self.folder / 'refused', 'a') as file:
                file.write(address + '\n')
            return '550 5.1.1 Mailbox unavailable: ' + address
        envelope.rcpt_tos.append(address)
        return '250 OK'

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        raw = envelope.original_content
        message = email.message_from_bytes(raw)
        subject = str(email.header.make_header(email.header.decode_header(message.get('Subject', ''))))
        parts = {'rcpt': ''.join(r + '\n' for r in envelope.rcpt_tos).encode(), 'eml': raw, 'subject': subject.encode(),
                 'body': message.get_payload(decode=True), 'tls': b'yes' if session.ssl else b'no'}
        for ending, data in parts.items():  # .tls last: a message is whole once it is there
            (self.folder / f'{self.count}.{ending}').write_bytes(data)
        return '250 Message accepted'


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--port', type=int, required=True)
    parser.add_argument('--folder', required=True)
    parser.add_argument('--refuse', action='store_true')
    parser.add_argument('--tls', nargs=2, metavar=('CERT', 'KEY'))
    args = parser.parse_args()
    handler = Sink(args.folder, args.refuse)
    context = None
    if args.tls:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(*args.tls)

    def connection():
        with open(handler.folder / 'connections', 'a') as file:
            file.write('connection\n')
        return SMTP(handler, hostname='sink.test', tls_context=context)

    server = await asyncio.get_running_loop().create_server(connection, '127.0.0.1', args.port)
    print('ready', flush=True)
    await server.serve_forever()


asyncio.run(main())
