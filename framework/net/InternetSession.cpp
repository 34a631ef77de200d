#include "framework/net/InternetSession.h"

#include "framework/net/FtpConnection.h"
#include "framework/net/InternetException.h"

CInternetSession::CInternetSession(LPCSTR pstrAgent, DWORD_PTR dwContext, DWORD dwAccessType)
    : m_dwContext(dwContext) {
  CString agent = pstrAgent ? CString(pstrAgent) : CString();
  if (agent.IsEmpty()) {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    agent = module;
    agent = agent.Mid(agent.ReverseFind('\\') + 1);
  }
  m_session.reset(::InternetOpenA(agent, dwAccessType, nullptr, nullptr, 0));
  if (!m_session) AfxThrowInternetException(m_dwContext);
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                       INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
    SetOption(option, kTimeout);
}

BOOL CInternetSession::SetOption(DWORD dwOption, DWORD dwValue) {
  return ::InternetSetOptionA(m_session.get(), dwOption, &dwValue, sizeof dwValue);
}

std::unique_ptr<CFtpConnection> CInternetSession::GetFtpConnection(LPCSTR pstrServer, LPCSTR pstrUserName,
                                                                   LPCSTR pstrPassword, INTERNET_PORT nPort,
                                                                   BOOL bPassive) {
  CInternetHandle connection(::InternetConnectA(m_session.get(), pstrServer, nPort, pstrUserName, pstrPassword,
                                                INTERNET_SERVICE_FTP, bPassive ? INTERNET_FLAG_PASSIVE : 0,
                                                m_dwContext));
  if (!connection) AfxThrowInternetException(m_dwContext);
  return std::unique_ptr<CFtpConnection>(new CFtpConnection(std::move(connection), pstrServer, m_dwContext));
}
