"""The question tests' mail server on a loopback port. Message N is saved as
N.rcpt (envelope recipients), N.eml (as received), N.subject and N.body
(decoded). With --refuse each recipient gets a 550, logged in "refused"."""
import argparse
import asyncio
import email
import email.header
import os

from aiosmtpd.smtp import SMTP


class Sink:
    def __init__(self, folder, refuse):
        self.folder = folder
        self.refuse = refuse
        self.count = 0

    def write(self, name, data):
        with open(os.path.join(self.folder, name), 'wb') as file:
            file.write(data)

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.refuse:
            with open(os.path.join(self.folder, 'refused'), 'a') as file:
                file.write(address + '\n')
            return '550 5.1.1 Mailbox unavailable: ' + address
        envelope.rcpt_tos.append(address)
        return '250 OK'

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        raw = envelope.original_content
        message = email.message_from_bytes(raw)
        subject = str(email.header.make_header(email.header.decode_header(message.get('Subject', ''))))
        self.write(f'{self.count}.rcpt', ''.join(r + '\n' for r in envelope.rcpt_tos).encode())
        self.write(f'{self.count}.eml', raw)
        self.write(f'{self.count}.subject', subject.encode())
        self.write(f'{self.count}.body', message.get_payload(decode=True))
        return '250 Message accepted'


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--port', type=int, required=True)
    parser.add_argument('--folder', required=True)
    parser.add_argument('--refuse', action='store_true')
    args = parser.parse_args()
    handler = Sink(args.folder, args.refuse)
    server = await asyncio.get_running_loop().create_server(
        lambda: SMTP(handler, hostname='sink.test'), '127.0.0.1', args.port)
    print('ready', flush=True)
    await server.serve_forever()


asyncio.run(main())
